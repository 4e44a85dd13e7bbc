#pragma once

#include "framework/Control.h"

// A drop-down list combo box. Results are the control's own (kCbErr stays -1).
class ComboBox : public Control {
public:
    int GetCount() const { return static_cast<int>(Send(kCbGetCount)); }
    int GetCurSel() const { return static_cast<int>(Send(kCbGetCurSel)); }
    // Selecting programmatically sends no CBN_SELCHANGE.
    int SetCurSel(int index) {
        return static_cast<int>(Send(kCbSetCurSel, static_cast<WordParam>(index)));
    }
    // In a CBS_SORT combo box the text goes to its sorted place; returns that position.
    int AddString(const char* text) {
        return static_cast<int>(Send(kCbAddString, 0, reinterpret_cast<LongParam>(text)));
    }
    void ResetContent() { Send(kCbResetContent); }
    LongParam GetItemData(int index) const {
        return static_cast<LongParam>(Send(kCbGetItemData, static_cast<WordParam>(index)));
    }
    int SetItemData(int index, LongParam data) {
        return static_cast<int>(Send(kCbSetItemData, static_cast<WordParam>(index), data));
    }
};
