#pragma once

#include <string>

// Appends `text` as one RFC 4180 field, quoted when it must be.
void AppendCsvField(std::string& out, const std::string& text);
