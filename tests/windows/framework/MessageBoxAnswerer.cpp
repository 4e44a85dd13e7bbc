#include "MessageBoxAnswerer.h"

namespace {
MessageBoxAnswerer* g_answerer = nullptr;

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The box's message is its one static control with text; the icon is a static without.
BOOL CALLBACK FindMessageText(HWND child, LPARAM found) {
    if (::lstrcmpiW(ClassName(child).c_str(), L"Static") != 0) return TRUE;
    std::wstring text = WindowText(child);
    if (text.empty()) return TRUE;
    *reinterpret_cast<std::wstring*>(found) = text;
    return FALSE;
}
}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int answer, bool unowned)
    : m_answer(answer),
      m_unowned(unowned),
      m_hook(
          ::SetWindowsHookExW(WH_CBT, &MessageBoxAnswerer::Hook, nullptr, ::GetCurrentThreadId())) {
    g_answerer = this;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    ::UnhookWindowsHookEx(m_hook);
    g_answerer = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_answerer) {
        HWND window = reinterpret_cast<HWND>(wParam);
        // The tests open no owned dialog of their own while boxes are answered.
        const bool owned = ::GetWindow(window, GW_OWNER) != nullptr;
        if (ClassName(window) == L"#32770" && owned != g_answerer->m_unowned) {
            g_answerer->Answer(window);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::Answer(HWND box) {
    ++m_seen;
    m_caption = WindowText(box);
    m_text.clear();
    ::EnumChildWindows(box, &FindMessageText, reinterpret_cast<LPARAM>(&m_text));
    m_owner = ::GetWindow(box, GW_OWNER);
    m_icon = reinterpret_cast<HICON>(::SendDlgItemMessageW(box, 1088, STM_GETICON, 0, 0));
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(m_answer, BN_CLICKED), 0);
}
