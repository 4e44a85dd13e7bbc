#include "ManagerWindow.h"

#include <algorithm>

#include "RemoteWindows.h"
#include "res/resource.h"

std::vector<std::string> ManagerWindow::Lines() const {
    return ListBoxLines(Control(IDC_DRIVER_LIST));
}

std::vector<std::string> ManagerWindow::SelectedLines() const {
    const std::vector<std::string> lines = Lines();
    std::vector<std::string> selected;
    for (int index : ListBoxSelection(Control(IDC_DRIVER_LIST))) {
        selected.push_back(lines.at(static_cast<size_t>(index)));
    }
    return selected;
}

std::vector<std::string> ManagerWindow::FilterItems(int filterId) const {
    return ComboBoxItems(Control(filterId));
}

std::string ManagerWindow::FilterSelection(int filterId) const {
    return ComboBoxSelection(Control(filterId));
}

bool ManagerWindow::RemoveEnabled() const { return IsWindowEnabled(Control(IDC_REMOVE)) != FALSE; }

bool ManagerWindow::ChooseFilter(int filterId, const std::string& text) const {
    const std::vector<std::string> items = FilterItems(filterId);
    const auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end()) return false;
    HWND filter = Control(filterId);
    SendMessageW(filter, CB_SETCURSEL, static_cast<WPARAM>(found - items.begin()), 0);
    SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(filterId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(filter));
    return true;
}

bool ManagerWindow::SelectLines(const std::vector<std::string>& texts) const {
    HWND list = Control(IDC_DRIVER_LIST);
    const std::vector<std::string> lines = Lines();
    std::vector<bool> chosen(lines.size());
    for (const std::string& text : texts) {
        size_t index = 0;
        while (index < lines.size() && (chosen[index] || lines[index] != text)) ++index;
        if (index == lines.size()) return false;
        chosen[index] = true;
    }
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    for (size_t index = 0; index < lines.size(); ++index) {
        if (chosen[index]) SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
    }
    SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_DRIVER_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
}

void ManagerWindow::ClickRemove() const {
    PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(IDC_REMOVE)));
}

void ManagerWindow::ClickRefresh() const {
    SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(IDC_REFRESH)));
}

void ManagerWindow::PostKeyDown(unsigned keyCode, LPARAM lParam) const {
    PostMessageW(m_window, WM_KEYDOWN, keyCode, lParam);
}

bool ManagerWindow::SendKeyDown(unsigned keyCode, LPARAM lParam) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(m_window, WM_KEYDOWN, keyCode, lParam, SMTO_NORMAL, 10000,
                               &result) != 0;
}
