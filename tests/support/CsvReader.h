#pragma once

#include <string>
#include <vector>

using CsvRows = std::vector<std::vector<std::string>>;

// A strict RFC 4180 reader, every record ended by CRLF: false on anything the grammar does not
// allow (a bare quote, a line break outside quotes, an unended quoted field).
bool ReadCsv(const std::string& csv, CsvRows& rows);
