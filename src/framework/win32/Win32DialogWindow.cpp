#include "framework/win32/Win32DialogWindow.h"

#include <algorithm>
#include <exception>

#include "framework/Dialog.h"
#include "framework/win32/Win32WindowSystem.h"

namespace {
// The messages whose result a dialog procedure returns itself; every other result goes
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
        case WM_CHARTOITEM:
        case WM_COMPAREITEM:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_INITDIALOG:
        case WM_QUERYDRAGICON:
        case WM_VKEYTOITEM:
            return true;
        default:
            return false;
    }
}

// What a dialog procedure answers for a message it leaves to the default processing. A list with
// LBS_WANTKEYBOARDINPUT asks its dialog about every key; 0 would mean "go to line 0", -1 lets
// the list do what the key means there.
INT_PTR UnhandledAnswer(UINT message) {
    return message == WM_VKEYTOITEM || message == WM_CHARTOITEM ? -1 : FALSE;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return monitor.rcWork;
    }
    RECT area = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}
}  // namespace

Win32DialogWindow::Win32DialogWindow(Win32WindowSystem& system, Dialog& dialog, bool modal,
                                     bool centre)
    : m_system(system), m_dialog(&dialog), m_modal(modal), m_centre(centre) {}

Win32DialogWindow::~Win32DialogWindow() {
    // Only when the window never got as far as WM_NCDESTROY.
    if (m_dialog && m_dialog->GetWindow() == this) m_dialog->DetachWindow();
}

INT_PTR CALLBACK Win32DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    Win32DialogWindow* host = nullptr;
    if (message == WM_INITDIALOG) {
        host = reinterpret_cast<Win32DialogWindow*>(lParam);
        host->Attach(window);
    } else {
        host = reinterpret_cast<Win32DialogWindow*>(::GetWindowLongPtrA(window, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) and after WM_NCDESTROY have no host.
    if (!host) return FALSE;
    return host->Receive(message, wParam, lParam);
}

void Win32DialogWindow::Attach(HWND window) {
    m_window = window;
    ::SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    m_dialog->AttachWindow(this);
}

INT_PTR Win32DialogWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    ++m_receiving;
    const INT_PTR answer = Dispatch(message, wParam, lParam);
    --m_receiving;
    return answer;
}

INT_PTR Win32DialogWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        OnGone();
        return FALSE;
    }
    if (!m_dialog || m_failed) return UnhandledAnswer(message);

    // The long parameter of WM_INITDIALOG is this host, which is nobody else's business.
    const WindowMessage sent = {message, wParam, message == WM_INITDIALOG ? 0 : lParam};
    MessageResult result = 0;
    bool handled = false;
    try {
        handled = m_dialog->HandleMessage(sent, result);
    } catch (...) {
        m_failed = true;
        m_system.Fail(std::current_exception(), *this);
        return UnhandledAnswer(message);
    }

    if (message == WM_INITDIALOG) {
        if (m_centre && m_dialog) CentreOnWorkArea();
        return handled ? static_cast<INT_PTR>(result) : TRUE;
    }
    if (!handled) return UnhandledAnswer(message);
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    if (m_dialog) ::SetWindowLongPtrA(m_window, DWLP_MSGRESULT, result);
    return TRUE;
}

void Win32DialogWindow::OnGone() {
    ::SetWindowLongPtrA(m_window, DWLP_USER, 0);
    Dialog* dialog = m_dialog;
    m_dialog = nullptr;
    if (dialog) dialog->DetachWindow();
    if (!m_modal) m_system.Release(*this);
}

void Win32DialogWindow::CentreOnWorkArea() {
    RECT frame = {};
    if (!::GetWindowRect(m_window, &frame)) return;
    const RECT work = WorkAreaOf(m_window);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    // A window larger than the work area keeps its caption on the screen.
    const LONG x = std::max(work.left, work.left + (work.right - work.left - width) / 2);
    const LONG y = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
    ::SetWindowPos(m_window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MessageResult Win32DialogWindow::Send(unsigned message, WordParam wParam, LongParam lParam) {
    return ::SendMessageA(m_window, message, wParam, lParam);
}

bool Win32DialogWindow::Enable(bool enable) { return ::EnableWindow(m_window, enable) != FALSE; }

bool Win32DialogWindow::IsEnabled() const { return ::IsWindowEnabled(m_window) != FALSE; }

Window* Win32DialogWindow::GetControl(int id) {
    HWND control = ::GetDlgItem(m_window, id);
    if (!control) return nullptr;
    for (const auto& wrapped : m_controls) {
        if (wrapped->GetHandle() == control) return wrapped.get();
    }
    m_controls.push_back(std::make_unique<Win32Window>(control));
    return m_controls.back().get();
}

void Win32DialogWindow::EndDialog(int result) { ::EndDialog(m_window, result); }

void Win32DialogWindow::Destroy() {
    if (m_dialog) ::DestroyWindow(m_window);
}

void Win32DialogWindow::Post(unsigned message, WordParam wParam, LongParam lParam) {
    ::PostMessageA(m_window, message, wParam, lParam);
}

bool Win32DialogWindow::IsIconic() const { return ::IsIconic(m_window) != FALSE; }

ClientRect Win32DialogWindow::GetClientRect() const {
    RECT client = {};
    ::GetClientRect(m_window, &client);
    return {client.left, client.top, client.right, client.bottom};
}

NativeHandle Win32DialogWindow::BeginPaint() { return ::BeginPaint(m_window, &m_paint); }

void Win32DialogWindow::EndPaint() { ::EndPaint(m_window, &m_paint); }

void Win32DialogWindow::DrawIcon(NativeHandle deviceContext, int x, int y, NativeHandle icon) {
    ::DrawIcon(static_cast<HDC>(deviceContext), x, y, static_cast<HICON>(icon));
}

void Win32DialogWindow::Invalidate() {
    if (m_window) {
        ::RedrawWindow(m_window, nullptr, nullptr, kRedrawWholeWindow);
    }
}

void Win32DialogWindow::PaintNow() {
    // The caller's thread is about to block again, so whatever is invalid is painted now,
    // without waiting for the message loop.
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASENOW | RDW_ALLCHILDREN);
}

int Win32DialogWindow::ShowMessageBox(const char* text, const char* caption, unsigned style) {
    const char* shown = caption ? caption : m_system.ApplicationName().c_str();
    return ::MessageBoxA(m_dialog ? m_window : nullptr, text, shown, style);
}
