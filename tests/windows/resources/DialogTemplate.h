#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A name-or-ordinal field of a dialog template: none, an ordinal (0xFFFF then a number), or a
// NUL-terminated UTF-16 text.
struct NameOrOrdinal {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::u16string text;

    bool IsNone() const { return !isOrdinal && text.empty(); }
};

struct DialogControl {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, width = 0, height = 0;
    // 32 bits in an extended template, 16 bits (zero-extended) in a regular one.
    std::uint32_t id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
    std::uint16_t creationDataSize = 0;
};

// Both template formats read into one shape; the fields a regular template lacks stay 0.
struct DialogTemplate {
    bool extended = false;
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, width = 0, height = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::u16string caption;
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::u16string typeface;
    std::vector<DialogControl> controls;
    // Bytes left after the last control.
    std::size_t trailingBytes = 0;
};

// Reads a DLGTEMPLATE or DLGTEMPLATEEX. Throws std::out_of_range when a field would lie past
// the end of `bytes`.
DialogTemplate ParseDialogTemplate(const std::vector<unsigned char>& bytes);
