#pragma once

#include <map>
#include <string>
#include <vector>

#include "framework/MessageTable.h"
#include "framework/Window.h"
#include "framework/memory/MemoryTemplate.h"

class MemoryDialogWindow;

// A control of an in-memory dialog. It answers the messages the program sends as the platform's
// control does, and lets a test read its state and act as the user. Lists are extended-selection
// lists; sorted ones order their texts by CompareItemTexts. Programmatic changes never notify
// the dialog; only the User... operations do.
class MemoryControl : public Window {
public:
    MemoryControl(MemoryDialogWindow& dialog, const MemoryControlSpec& spec);

    MessageResult Send(unsigned message, WordParam wParam = 0, LongParam lParam = 0) override;
    bool Enable(bool enable) override;
    bool IsEnabled() const override { return m_enabled; }
    NativeHandle GetHandle() const override {
        return const_cast<void*>(static_cast<const void*>(this));
    }
    void Invalidate() override { m_repaintedSinceChange = true; }

    int Id() const { return m_id; }
    MemoryControlKind Kind() const { return m_kind; }
    bool IsDefault() const { return m_default; }
    // Once its dialog's window is destroyed, the control answers every message with 0 but keeps
    // its state for the test to read.
    bool IsDestroyed() const { return m_destroyed; }
    void MarkDestroyed() { m_destroyed = true; }

    // List box and combo box.
    std::vector<std::string> Texts() const;
    // Throws std::out_of_range for a position without an item.
    LongParam ItemData(int position) const;
    bool IsSelected(int position) const;
    std::vector<int> SelectedLines() const;
    // What LB_GETCURSEL / CB_GETCURSEL answer: the caret line of a list, the selected item of a
    // combo box; -1 when there is none.
    int CurSel() const;
    int Anchor() const { return m_anchor; }
    std::vector<int> TabStops() const { return m_tabStops; }

    // The user selects exactly `lines` (positions without a line are left out), the caret moves
    // to the last of them, the anchor stays; then LBN_SELCHANGE goes to the dialog. Nothing
    // happens on a disabled or destroyed list.
    void UserSelect(std::vector<int> lines);
    // The user picks the item at `position` in a combo box, then CBN_SELCHANGE goes to the
    // dialog. Nothing happens for a position without an item or a disabled or destroyed combo.
    void UserChoose(int position);

    // Redrawing as WM_SETREDRAW last set it (on at first); items added while it was on since
    // the items were last reset; whether the control was invalidated after its items last
    // changed.
    bool IsRedrawing() const { return m_redrawing; }
    int AddedWhileRedrawing() const { return m_addedWhileRedrawing; }
    bool RepaintedSinceChange() const { return m_repaintedSinceChange; }

    // From now on the control answers `message` with `result` and ignores it otherwise.
    void OverrideResult(unsigned message, MessageResult result);

    // Static text: as WM_SETTEXT last set it.
    const std::string& Text() const { return m_text; }

    // Progress bar.
    int RangeLow() const { return m_rangeLow; }
    int RangeHigh() const { return m_rangeHigh; }
    int Position() const { return m_position; }
    // The position after every PBM_SETPOS and PBM_DELTAPOS, in order.
    const std::vector<int>& PositionHistory() const { return m_positionHistory; }

    // Every message the control was sent while it existed, in order.
    const std::vector<WindowMessage>& Received() const { return m_received; }
    int ReceivedCount(unsigned message) const;

private:
    struct Item {
        std::string text;
        LongParam data = 0;
        bool selected = false;
    };

    MessageResult ListMessage(unsigned message, WordParam wParam, LongParam lParam);
    MessageResult ComboMessage(unsigned message, WordParam wParam, LongParam lParam);
    MessageResult ProgressMessage(unsigned message, WordParam wParam, LongParam lParam);

    bool HasItem(WordParam position) const { return position < m_items.size(); }
    int Insert(LongParam textParameter);
    void Erase(int position);
    MessageResult CopyText(WordParam position, LongParam buffer) const;
    int SetPosition(int position);
    void Notify(int code);

    MemoryDialogWindow& m_dialog;
    int m_id;
    MemoryControlKind m_kind;
    bool m_sorted;
    bool m_enabled;
    bool m_default;
    bool m_destroyed = false;

    std::vector<Item> m_items;
    // Combo box: the selected item. List box: the caret line.
    int m_curSel;
    int m_anchor = -1;
    std::vector<int> m_tabStops;

    std::string m_text;

    int m_rangeLow = 0;
    int m_rangeHigh = 100;
    int m_position = 0;
    std::vector<int> m_positionHistory;

    bool m_redrawing = true;
    int m_addedWhileRedrawing = 0;
    bool m_repaintedSinceChange = false;

    std::map<unsigned, MessageResult> m_overrides;
    std::vector<WindowMessage> m_received;
};
