#include "catalog/NamePattern.h"

#include <cstddef>
#include <vector>

namespace {

// A byte that begins no valid UTF-8 character stands for itself, outside the range of code
// points, so that it can equal nothing but the same byte.
constexpr char32_t kStrayByteBase = 0x110000;

std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

std::vector<char32_t> CodePoints(const std::string& text) {
    std::vector<char32_t> points;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = SequenceLength(lead);
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = length != 0 && at + length <= text.size();
        for (std::size_t i = 1; valid && i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            valid = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not characters.
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && point >= least[length] && point <= 0x10FFFF &&
                (point < 0xD800 || point > 0xDFFF);
        if (!valid) {
            points.push_back(kStrayByteBase + lead);
            ++at;
            continue;
        }
        points.push_back(point);
        at += length;
    }
    return points;
}

// The simple upper-case mapping of the scripts driver names are written in (Latin, Greek,
// Cyrillic), one character to one as the file system's table maps them; others stay as they are.
char32_t Upper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F)) {
        return c - 0x20;
    }
    if (c == 0xFF) return 0x178;
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    // Latin Extended-A and Cyrillic pair capital and small letter as even and odd code point,
    // apart from two stretches where the pairs start on odd code points.
    const bool evenPairs = (c >= 0x100 && c <= 0x137 && c != 0x131) || (c >= 0x14A && c <= 0x177) ||
                           (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) ||
                           (c >= 0x4D0 && c <= 0x4FF);
    const bool oddPairs =
        (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE);
    if ((evenPairs && c % 2 == 1) || (oddPairs && c % 2 == 0)) return c - 1;
    return c;
}

}  // namespace

bool MatchesNamePattern(const std::string& name, const std::string& pattern) {
    const std::vector<char32_t> text = CodePoints(name);
    const std::vector<char32_t> wild = CodePoints(pattern);
    // Greedy with one step back to the last star: time bounded by the product of the lengths,
    // never recursion, whatever the pattern.
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starAt = wild.size();
    std::size_t resumeAt = 0;
    while (t < text.size()) {
        if (p < wild.size() && wild[p] == '*') {
            starAt = p++;
            resumeAt = t;
        } else if (p < wild.size() && (wild[p] == '?' || Upper(wild[p]) == Upper(text[t]))) {
            ++p;
            ++t;
        } else if (starAt != wild.size()) {
            p = starAt + 1;
            t = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < wild.size() && wild[p] == '*') ++p;
    return p == wild.size();
}
