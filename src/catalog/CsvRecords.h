#pragma once

#include <string>
#include <vector>

// One record of a CSV text and the line it starts on, counted from 1.
struct CsvRecord {
    int line;
    std::vector<std::string> fields;
};

// Reads RFC 4180 CSV as spreadsheets and editors write it: records ended by CRLF or LF (the last
// may have no ending), quoted fields that may hold line breaks. Lines with nothing on them are
// skipped. False on a quote inside an unquoted field, text after a closing quote or an unended
// quoted field, with `errorLine` the line where it is.
bool ReadCsvRecords(const std::string& text, std::vector<CsvRecord>& records, int& errorLine);
