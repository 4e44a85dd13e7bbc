#include "framework/memory/ItemOrder.h"

#include <cstring>

namespace {
// Punctuation before other symbols, in the platform's order as far as the program's texts
// show it: "<All>" sorts after "_x" and ".NET" but before every digit and letter.
constexpr char kSymbolOrder[] = "_-,;:!?.'\"()[]{}@*/\\&#%`^+<=>|~$";

int Weight(unsigned char byte) {
    constexpr int kSpaces = 0;
    constexpr int kSymbols = 0x100;
    constexpr int kDigits = 0x200;
    constexpr int kLetters = 0x300;
    constexpr int kHigh = 0x400;

    if (byte >= 'a' && byte <= 'z') return kLetters + (byte - 'a');
    if (byte >= 'A' && byte <= 'Z') return kLetters + (byte - 'A');
    if (byte >= '0' && byte <= '9') return kDigits + (byte - '0');
    if (byte >= 0x80) return kHigh + byte;
    if (byte <= ' ' || byte == 0x7F) return kSpaces + byte;
    const char* symbol = std::strchr(kSymbolOrder, static_cast<char>(byte));
    return kSymbols + static_cast<int>(symbol - kSymbolOrder);
}
}  // namespace

int CompareItemTexts(const std::string& left, const std::string& right) {
    const std::size_t common = left.size() < right.size() ? left.size() : right.size();
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = Weight(static_cast<unsigned char>(left[i])) -
                               Weight(static_cast<unsigned char>(right[i]));
        if (difference != 0) return difference;
    }
    if (left.size() == right.size()) return 0;
    return left.size() < right.size() ? -1 : 1;
}
