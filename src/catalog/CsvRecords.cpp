#include "catalog/CsvRecords.h"

#include <cstddef>

namespace {

class CsvScanner {
public:
    explicit CsvScanner(const std::string& text) : m_text(text) {}

    bool Read(std::vector<CsvRecord>& records, int& errorLine) {
        while (m_at < m_text.size()) {
            if (AtLineEnd()) {
                SkipLineEnd();
                continue;
            }
            CsvRecord record{m_line, {}};
            for (;;) {
                std::string field;
                if (!ReadField(field)) {
                    errorLine = m_line;
                    return false;
                }
                record.fields.push_back(std::move(field));
                if (m_at < m_text.size() && m_text[m_at] == ',') {
                    ++m_at;
                    continue;
                }
                SkipLineEnd();
                break;
            }
            records.push_back(std::move(record));
        }
        return true;
    }

private:
    bool AtLineEnd() const { return m_text[m_at] == '\n' || m_text.compare(m_at, 2, "\r\n") == 0; }

    void SkipLineEnd() {
        if (m_at < m_text.size() && m_text[m_at] == '\r') ++m_at;
        if (m_at < m_text.size() && m_text[m_at] == '\n') ++m_at;
        ++m_line;
    }

    // Leaves the scanner on the comma or line end after the field.
    bool ReadField(std::string& field) {
        if (m_at < m_text.size() && m_text[m_at] == '"') return ReadQuotedField(field);
        for (; m_at < m_text.size() && m_text[m_at] != ',' && !AtLineEnd(); ++m_at) {
            if (m_text[m_at] == '"') return false;
            field += m_text[m_at];
        }
        return true;
    }

    bool ReadQuotedField(std::string& field) {
        const int opened = m_line;
        for (++m_at; m_at < m_text.size(); ++m_at) {
            const char c = m_text[m_at];
            if (c == '\n') ++m_line;
            if (c != '"') {
                field += c;
            } else if (m_text.compare(m_at, 2, "\"\"") == 0) {
                field += m_text[++m_at];
            } else {
                ++m_at;
                return m_at == m_text.size() || m_text[m_at] == ',' || AtLineEnd();
            }
        }
        m_line = opened;
        return false;
    }

    const std::string& m_text;
    std::size_t m_at = 0;
    int m_line = 1;
};

}  // namespace

bool ReadCsvRecords(const std::string& text, std::vector<CsvRecord>& records, int& errorLine) {
    return CsvScanner(text).Read(records, errorLine);
}
