#pragma once

#include <cstdio>
#include <string>

// `text` with every byte outside printable ASCII, and ';' '"' '\', written as \xHH, so that test
// names built from it stay plain and unambiguous in CTest's lists.
inline std::string Printable(const std::string& text) {
    std::string out;
    for (unsigned char byte : text) {
        if (byte >= 0x20 && byte < 0x7F && byte != ';' && byte != '"' && byte != '\\') {
            out += static_cast<char>(byte);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}
