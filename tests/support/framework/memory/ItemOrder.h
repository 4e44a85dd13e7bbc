#pragma once

#include <string>

// The order of a sorted list or combo box in memory, close to the platform's locale-aware
// comparison that ignores letter case: control characters and spaces, then punctuation, then
// other symbols, then digits, then letters without regard to case, then bytes above 0x7F; a
// text sorts before every longer text that it begins. Returns <0, 0 or >0.
int CompareItemTexts(const std::string& left, const std::string& right);
