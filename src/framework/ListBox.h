#pragma once

#include "framework/Control.h"

// A list box. Results are the control's own (kLbErr stays -1).
class ListBox : public Control {
public:
    int GetCount() const { return static_cast<int>(Send(kLbGetCount)); }
    // In an LBS_SORT list the text goes to its sorted place; returns that position.
    int AddString(const char* text) {
        return static_cast<int>(Send(kLbAddString, 0, reinterpret_cast<LongParam>(text)));
    }
    // Returns the number of lines that remain.
    int DeleteString(int index) {
        return static_cast<int>(Send(kLbDeleteString, static_cast<WordParam>(index)));
    }
    // Removes every line and the selection, without LBN_SELCHANGE.
    void ResetContent() { Send(kLbResetContent); }
    // A line whose data was never set reads 0.
    LongParam GetItemData(int index) const {
        return static_cast<LongParam>(Send(kLbGetItemData, static_cast<WordParam>(index)));
    }
    int SetItemData(int index, LongParam data) {
        return static_cast<int>(Send(kLbSetItemData, static_cast<WordParam>(index), data));
    }
    // Tab stops in dialog units; one stop repeats across the line.
    bool SetTabStops(int count, const int* stops) {
        return Send(kLbSetTabStops, static_cast<WordParam>(count),
                    reinterpret_cast<LongParam>(stops)) != 0;
    }
    int GetSelCount() const { return static_cast<int>(Send(kLbGetSelCount)); }
    // Greater than 0 when the line is selected.
    int GetSel(int index) const {
        return static_cast<int>(Send(kLbGetSel, static_cast<WordParam>(index)));
    }
    // Selects or deselects a line; -1 for every line.
    int SetSel(bool select, int index) {
        return static_cast<int>(Send(kLbSetSel, select ? 1 : 0, index));
    }
    // In an extended-selection list: the line with the focus rectangle.
    int GetCurSel() const { return static_cast<int>(Send(kLbGetCurSel)); }
    int SetAnchorIndex(int index) {
        return static_cast<int>(Send(kLbSetAnchorIndex, static_cast<WordParam>(index)));
    }
};
