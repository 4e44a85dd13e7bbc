#include "cmd/CsvField.h"

namespace {

// Control bytes are quoted too: a reader that splits lines before it parses fields must not
// see a bare carriage return.
bool NeedsQuotes(const std::string& text) {
    for (unsigned char c : text) {
        if (c == '"' || c == ',' || c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

}  // namespace

void AppendCsvField(std::string& out, const std::string& text) {
    if (!NeedsQuotes(text)) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}
