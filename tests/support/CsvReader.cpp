#include "CsvReader.h"

namespace {

// Reads one field from `at`, leaving `at` on what follows it.
bool ReadField(const std::string& csv, std::size_t& at, std::string& field) {
    if (at < csv.size() && csv[at] == '"') {
        for (++at; at < csv.size(); ++at) {
            if (csv[at] != '"') {
                field += csv[at];
            } else if (at + 1 < csv.size() && csv[at + 1] == '"') {
                field += csv[++at];
            } else {
                ++at;
                return true;
            }
        }
        return false;
    }
    for (; at < csv.size() && csv[at] != ',' && csv[at] != '\r'; ++at) {
        if (csv[at] == '"' || csv[at] == '\n') return false;
        field += csv[at];
    }
    return true;
}

}  // namespace

bool ReadCsv(const std::string& csv, CsvRows& rows) {
    std::size_t at = 0;
    while (at < csv.size()) {
        std::vector<std::string> row;
        for (;;) {
            std::string field;
            if (!ReadField(csv, at, field)) return false;
            row.push_back(field);
            if (at < csv.size() && csv[at] == ',') {
                ++at;
                continue;
            }
            if (csv.compare(at, 2, "\r\n") != 0) return false;
            at += 2;
            break;
        }
        rows.push_back(row);
    }
    return true;
}
