#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The program's main window seen from outside: controls by id, and the user's actions done the
// way the controls themselves report them to the window.
class ManagerWindow {
public:
    explicit ManagerWindow(HWND window) : m_window(window) {}

    HWND Handle() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }

    std::vector<std::string> Lines() const;
    std::vector<std::string> SelectedLines() const;
    std::vector<std::string> FilterItems(int filterId) const;
    std::string FilterSelection(int filterId) const;
    bool RemoveEnabled() const;

    // Picks the item with exactly this text and notifies the window (CBN_SELCHANGE); false when
    // the filter has no such item.
    bool ChooseFilter(int filterId, const std::string& text) const;
    // Selects exactly the lines with these texts (each text once, top down) and notifies the
    // window (LBN_SELCHANGE); false when a text is not in the list.
    bool SelectLines(const std::vector<std::string>& texts) const;

    // Remove is posted: it opens modal message boxes, which the test answers meanwhile.
    void ClickRemove() const;
    // Refresh runs to its end before this returns.
    void ClickRefresh() const;

    // WM_KEYDOWN to the main window itself; `lParam` carries repeat count and key flags.
    void PostKeyDown(unsigned keyCode, LPARAM lParam) const;
    // The same, sent: returns once the window has handled it; false when it has not done so
    // within the bound (it opened a box that is waiting for an answer).
    bool SendKeyDown(unsigned keyCode, LPARAM lParam) const;

private:
    HWND m_window;
};
