#include "RemoteWindows.h"

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], size,
                        nullptr, nullptr);
    return result;
}

// Reads one item through a length message and a text message of the W family.
std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return "<error>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, textMessage, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&text[0]));
    if (copied < 0) return "<error>";
    text.resize(static_cast<size_t>(copied));
    return Utf8(text);
}

struct Search {
    DWORD processId;
    const std::string* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) &&
        (search.caption == nullptr || WindowText(window) == *search.caption)) {
        search.found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                        reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(copied));
    return Utf8(text);
}

std::string ControlText(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    return control == nullptr ? "<no control>" : WindowText(control);
}

std::vector<std::string> ListBoxLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) lines.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    return lines;
}

std::vector<int> ListBoxSelection(HWND list) {
    std::vector<int> selected;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
    }
    return selected;
}

std::vector<std::string> ComboBoxItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        items.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    }
    return items;
}

std::string ComboBoxSelection(HWND combo) {
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected < 0) return {};
    return ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<int>(selected));
}

std::vector<HWND> TopLevelWindows(DWORD processId, const std::string& caption) {
    Search search = {processId, &caption, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    Search search = {processId, nullptr, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
