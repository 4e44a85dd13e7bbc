#include "catalog/DriverList.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "catalog/CsvRecords.h"
#include "catalog/DriverRecord.h"
#include "catalog/NamePattern.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// The five columns a list selects by, in the order of DriverListRow's cells.
constexpr std::array<const char*, 5> kColumns = {"ProductCode", "Name", "Class", "ADE",
                                                 "Manufacturer"};
constexpr int kNoColumn = -1;

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool AsciiEqualIgnoringCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(),
                      [](char l, char r) { return AsciiUpper(l) == AsciiUpper(r); });
}

// The line of the first byte that is not part of a well-formed UTF-8 character; 0 when none.
int FirstLineNotUtf8(const std::string& text) {
    int line = 1;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead == '\n') ++line;
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
        if (length == 0 || at + length > text.size()) return line;
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            // The second byte also rules out overlong forms, surrogates and points past U+10FFFF.
            const bool tooLow =
                i == 1 && ((lead == 0xE0 && next < 0xA0) || (lead == 0xF0 && next < 0x90));
            const bool tooHigh =
                i == 1 && ((lead == 0xED && next > 0x9F) || (lead == 0xF4 && next > 0x8F));
            if ((next & 0xC0) != 0x80 || tooLow || tooHigh) return line;
        }
        at += length;
    }
    return 0;
}

bool Fail(DriverListProblem& problem, int line, const std::string& what) {
    problem = {line, what};
    return false;
}

}  // namespace

bool ReadDriverList(const std::string& text, DriverList& list, DriverListProblem& problem) {
    std::string body = text;
    if (body.compare(0, 3, kByteOrderMark) == 0) body.erase(0, 3);
    if (const int line = FirstLineNotUtf8(body)) return Fail(problem, line, "not UTF-8 text");
    std::vector<CsvRecord> records;
    int errorLine = 0;
    if (!ReadCsvRecords(body, records, errorLine)) {
        return Fail(problem, errorLine, "not CSV: a quote out of place or never closed");
    }
    if (records.empty()) return Fail(problem, 1, "no header row");

    const CsvRecord& header = records.front();
    std::array<int, kColumns.size()> columnAt;
    columnAt.fill(kNoColumn);
    for (std::size_t field = 0; field < header.fields.size(); ++field) {
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            if (!AsciiEqualIgnoringCase(header.fields[field], kColumns[column])) continue;
            if (columnAt[column] != kNoColumn) {
                return Fail(problem, header.line,
                            std::string("the column ") + kColumns[column] + " comes twice");
            }
            columnAt[column] = static_cast<int>(field);
        }
    }
    if (std::all_of(columnAt.begin(), columnAt.end(), [](int at) { return at == kNoColumn; })) {
        return Fail(problem, header.line,
                    "none of the columns ProductCode, Name, Class, ADE, Manufacturer");
    }

    DriverList read;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        if (record->fields.size() != header.fields.size()) {
            return Fail(problem, record->line,
                        std::to_string(record->fields.size()) + " fields where the header has " +
                            std::to_string(header.fields.size()));
        }
        std::array<std::string, kColumns.size()> cells;
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            if (columnAt[column] != kNoColumn) cells[column] = record->fields[columnAt[column]];
        }
        if (std::all_of(cells.begin(), cells.end(),
                        [](const std::string& cell) { return cell.empty(); })) {
            return Fail(problem, record->line,
                        "ProductCode, Name, Class, ADE and Manufacturer are all empty, which "
                        "would select every driver");
        }
        read.rows.push_back({record->line, cells[0], cells[1], cells[2], cells[3], cells[4]});
    }
    list = std::move(read);
    return true;
}

bool RowSelects(const DriverListRow& row, const DriverRecord& record) {
    const auto exactly = [](const std::string& cell, const char* text) {
        return cell.empty() || std::strcmp(cell.c_str(), text) == 0;
    };
    return (row.productCode.empty() ||
            ProductCodesEqual(row.productCode, record.GetProductCode())) &&
           (row.name.empty() || MatchesNamePattern(record.GetName(), row.name)) &&
           exactly(row.cls, record.GetClass()) && exactly(row.ade, record.GetAde()) &&
           exactly(row.manufacturer, record.GetManufacturer());
}

bool ListSelects(const DriverList& list, const DriverRecord& record) {
    return std::any_of(list.rows.begin(), list.rows.end(),
                       [&](const DriverListRow& row) { return RowSelects(row, record); });
}

bool ProductCodesEqual(const std::string& left, const char* right) {
    return AsciiEqualIgnoringCase(left, right);
}
