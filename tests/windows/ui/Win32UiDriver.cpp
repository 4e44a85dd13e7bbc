// Drives real windows made from the program's own resources. Message boxes are real too: a
// computer-based-training hook of this thread sees each box as it is activated inside its modal
// loop, reads what it shows and posts the scripted answer, and sees each progress window just
// before it is destroyed.
#include "framework/win32/Win32Api.h"

#include <commctrl.h>

#include <deque>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "UiDriver.h"
#include "framework/win32/Win32WindowSystem.h"
#include "res/resource.h"

namespace {
// The message box's icon; its text is the other static control.
constexpr int kMessageBoxIconId = 1088;
constexpr wchar_t kOriginalProcProperty[] = L"CalvornTestOriginalProc";

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(size) - 1);
    return narrow;
}

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

bool IsDialogWindow(HWND window) { return ClassName(window) == L"#32770"; }

HWND ProgressBarOf(HWND dialog) {
    HWND bar = ::GetDlgItem(dialog, IDC_PROGRESS);
    return bar && ClassName(bar) == PROGRESS_CLASSW ? bar : nullptr;
}

UiDriver::ProgressSeen ReadProgress(HWND bar) {
    PBRANGE range = {};
    ::SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    const int position = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
    return {true, range.iLow, range.iHigh, position};
}

BOOL CALLBACK FindProgressDialog(HWND window, LPARAM found) {
    if (IsDialogWindow(window) && ProgressBarOf(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindProgressDialogOfThisThread() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindProgressDialog,
                        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A live button of the box, shown to the user.
bool HasButton(HWND box, int id) {
    HWND button = ::GetDlgItem(box, id);
    return button && (::GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE) != 0;
}

struct BoxTextSearch {
    std::wstring text;
};

BOOL CALLBACK FindBoxText(HWND child, LPARAM search) {
    if (ClassName(child) == L"Static" && ::GetDlgCtrlID(child) != kMessageBoxIconId) {
        const std::wstring text = WindowText(child);
        if (!text.empty()) {
            reinterpret_cast<BoxTextSearch*>(search)->text = text;
            return FALSE;
        }
    }
    return TRUE;
}

LRESULT CALLBACK FailingSelCountProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(::GetPropW(list, kOriginalProcProperty));
    if (message == LB_GETSELCOUNT) return LB_ERR;
    return ::CallWindowProcA(original, list, message, wParam, lParam);
}

class Win32UiDriver;
// The hook procedure has no parameter of its own to find its driver by.
thread_local Win32UiDriver* g_hookedDriver = nullptr;

class Win32UiDriver : public UiDriver {
public:
    Win32UiDriver() : m_system(::GetModuleHandleW(nullptr)) {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&controls);
        m_hook = ::SetWindowsHookExW(WH_CBT, HookProc, nullptr, ::GetCurrentThreadId());
        m_sentHook =
            ::SetWindowsHookExW(WH_CALLWNDPROC, SentMessageProc, nullptr, ::GetCurrentThreadId());
        m_handledHook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, HandledMessageProc, nullptr,
                                            ::GetCurrentThreadId());
        if (!m_hook || !m_sentHook || !m_handledHook) {
            throw std::runtime_error("cannot hook the thread's windows");
        }
        g_hookedDriver = this;
    }

    ~Win32UiDriver() override {
        g_hookedDriver = nullptr;
        ::UnhookWindowsHookEx(m_handledHook);
        ::UnhookWindowsHookEx(m_sentHook);
        ::UnhookWindowsHookEx(m_hook);
    }

    WindowSystem& System() override { return m_system; }
    void Watch(Dialog& manager) override { m_manager = &manager; }

    std::string ApplicationName() override {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring name = path;
        const std::size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos) name.erase(0, slash + 1);
        const std::size_t dot = name.find_last_of(L'.');
        if (dot != std::wstring::npos) name.erase(dot);
        return Narrow(name);
    }

    std::vector<std::string> Items(int controlId) override {
        HWND control = Control(controlId);
        const bool list = controlId == IDC_DRIVER_LIST;
        const int count =
            static_cast<int>(::SendMessageA(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
        std::vector<std::string> items;
        for (int position = 0; position < count; ++position) {
            const WPARAM at = static_cast<WPARAM>(position);
            const LRESULT length =
                ::SendMessageA(control, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, at, 0);
            std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
            const LRESULT copied = ::SendMessageA(control, list ? LB_GETTEXT : CB_GETLBTEXT, at,
                                                  reinterpret_cast<LPARAM>(&text[0]));
            text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
            items.push_back(text);
        }
        return items;
    }

    LongParam ItemData(int controlId, int position) override {
        const UINT message = controlId == IDC_DRIVER_LIST ? LB_GETITEMDATA : CB_GETITEMDATA;
        return ::SendMessageA(Control(controlId), message, static_cast<WPARAM>(position), 0);
    }

    int ComboSelection(int controlId) override {
        return static_cast<int>(::SendMessageA(Control(controlId), CB_GETCURSEL, 0, 0));
    }

    std::vector<int> SelectedLines() override {
        HWND list = Control(IDC_DRIVER_LIST);
        const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        std::vector<int> lines;
        for (int line = 0; line < count; ++line) {
            if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(line), 0) > 0) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    bool IsEnabled(int controlId) override { return ::IsWindowEnabled(Control(controlId)) != 0; }
    bool IsManagerEnabled() override { return ::IsWindowEnabled(Manager()) != 0; }

    // Redrawing as the messages sent to the control left it; nothing has pumped messages since
    // the fill, so a repaint it asked for is still pending in its update region.
    RedrawSeen Redraw(int controlId) override {
        HWND control = Control(controlId);
        const Fill& fill = m_fills[control];
        return {fill.redrawing, fill.addedWhileRedrawing,
                ::GetUpdateRect(control, nullptr, FALSE) != FALSE};
    }

    NativeHandle WindowIcon(bool big) override {
        return reinterpret_cast<NativeHandle>(
            ::SendMessageW(Manager(), WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0));
    }

    NativeHandle QueryDragIcon() override {
        return reinterpret_cast<NativeHandle>(::SendMessageW(Manager(), WM_QUERYDRAGICON, 0, 0));
    }

    void ChooseFilterItem(int controlId, int position) override {
        HWND combo = Control(controlId);
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        Notify(controlId, CBN_SELCHANGE, combo);
    }

    void SelectLines(const std::vector<int>& lines) override {
        HWND list = Control(IDC_DRIVER_LIST);
        ::SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (int line : lines) ::SendMessageA(list, LB_SETSEL, TRUE, line);
        if (!lines.empty()) {
            ::SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(lines.back()), FALSE);
        }
        Notify(IDC_DRIVER_LIST, LBN_SELCHANGE, list);
    }

    void FailSelectionCount() override {
        HWND list = Control(IDC_DRIVER_LIST);
        const LONG_PTR original = ::SetWindowLongPtrA(
            list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FailingSelCountProc));
        ::SetPropW(list, kOriginalProcProperty, reinterpret_cast<HANDLE>(original));
    }

    void Click(int controlId) override {
        HWND button = Control(controlId);
        // The user cannot click a disabled button.
        if (::IsWindowEnabled(button)) ::SendMessageW(button, BM_CLICK, 0, 0);
    }

    void KeyDown(unsigned keyCode, unsigned repeatCount, unsigned keyFlags) override {
        ::SendMessageW(Manager(), WM_KEYDOWN, keyCode,
                       static_cast<LPARAM>(MAKELONG(repeatCount, keyFlags)));
    }

    void QueueMessageBoxAnswer(int answer) override { m_answers.push_back(answer); }
    std::vector<MessageBoxSeen> MessageBoxes() override { return m_boxes; }

    ProgressSeen Progress() override {
        HWND dialog = FindProgressDialogOfThisThread();
        if (!dialog) return {false, 0, 0, 0};
        return ReadProgress(ProgressBarOf(dialog));
    }

    std::string ProgressText(int controlId) override {
        HWND dialog = FindProgressDialogOfThisThread();
        HWND control = dialog ? ::GetDlgItem(dialog, controlId) : nullptr;
        return control ? Narrow(WindowText(control)) : std::string();
    }

    void ClickInProgress(int controlId) override {
        HWND dialog = FindProgressDialogOfThisThread();
        HWND button = dialog ? ::GetDlgItem(dialog, controlId) : nullptr;
        if (button && ::IsWindowEnabled(button)) ::SendMessageW(button, BM_CLICK, 0, 0);
    }

    std::vector<ProgressSeen> ClosedProgress() override { return m_closed; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
        if (g_hookedDriver && code == HCBT_ACTIVATE) {
            g_hookedDriver->OnActivate(reinterpret_cast<HWND>(wParam));
        } else if (g_hookedDriver && code == HCBT_DESTROYWND) {
            g_hookedDriver->OnDestroy(reinterpret_cast<HWND>(wParam));
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void OnActivate(HWND window) {
        if (!IsDialogWindow(window) || window == Manager(false) || ProgressBarOf(window)) return;
        if (!m_answered.insert(window).second) return;

        MessageBoxSeen box;
        box.caption = Narrow(WindowText(window));
        BoxTextSearch search;
        ::EnumChildWindows(window, FindBoxText, reinterpret_cast<LPARAM>(&search));
        box.text = Narrow(search.text);
        const bool yesNo = HasButton(window, IDYES) && HasButton(window, IDNO);
        box.style = yesNo ? kMbYesNo : kMbOk;
        const HICON icon = reinterpret_cast<HICON>(
            ::SendDlgItemMessageW(window, kMessageBoxIconId, STM_GETICON, 0, 0));
        if (icon && icon == ::LoadIconA(nullptr, IDI_QUESTION)) box.style |= kMbIconQuestion;
        if (icon && icon == ::LoadIconA(nullptr, IDI_HAND)) box.style |= kMbIconError;
        if (icon && icon == ::LoadIconA(nullptr, IDI_ASTERISK)) box.style |= kMbIconInformation;
        if (icon && icon == ::LoadIconA(nullptr, IDI_EXCLAMATION)) box.style |= kMbIconWarning;
        const HWND progress = FindProgressDialogOfThisThread();
        box.duringProgress = progress != nullptr;
        box.ownedByProgress = progress != nullptr && ::GetWindow(window, GW_OWNER) == progress;
        m_boxIndex[window] = m_boxes.size();
        m_boxes.push_back(box);

        int answer = yesNo ? IDNO : IDOK;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        // Taken from the queue by the box's own modal loop once it is showing.
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, answer)));
    }

    static LRESULT CALLBACK SentMessageProc(int code, WPARAM wParam, LPARAM lParam) {
        if (g_hookedDriver && code == HC_ACTION) {
            const CWPSTRUCT& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
            g_hookedDriver->OnSent(sent.hwnd, sent.message, sent.wParam);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // A box is activated before its initialisation chooses its default button.
    static LRESULT CALLBACK HandledMessageProc(int code, WPARAM wParam, LPARAM lParam) {
        if (g_hookedDriver && code == HC_ACTION) {
            const CWPRETSTRUCT& handled = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
            if (handled.message == WM_INITDIALOG) g_hookedDriver->OnBoxInitialised(handled.hwnd);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void OnBoxInitialised(HWND window) {
        const auto found = m_boxIndex.find(window);
        if (found == m_boxIndex.end()) return;
        HWND no = ::GetDlgItem(window, IDNO);
        if (no && (::GetWindowLongW(no, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            m_boxes[found->second].style |= kMbDefButton2;
        }
    }

    void OnSent(HWND window, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_SETREDRAW:
                m_fills[window].redrawing = wParam != FALSE;
                break;
            case LB_RESETCONTENT:
            case CB_RESETCONTENT:
                m_fills[window].addedWhileRedrawing = 0;
                break;
            case LB_ADDSTRING:
            case CB_ADDSTRING:
                if (m_fills[window].redrawing) ++m_fills[window].addedWhileRedrawing;
                break;
            default:
                break;
        }
    }

    void OnDestroy(HWND window) {
        m_answered.erase(window);
        m_boxIndex.erase(window);
        if (!IsDialogWindow(window)) return;
        if (HWND bar = ProgressBarOf(window)) m_closed.push_back(ReadProgress(bar));
    }

    HWND Manager(bool required = true) const {
        HWND window = m_manager ? static_cast<HWND>(m_manager->GetSafeHandle()) : nullptr;
        if (!window && required) throw std::logic_error("no manager window");
        return window;
    }

    HWND Control(int controlId) const {
        HWND control = ::GetDlgItem(Manager(), controlId);
        if (!control) throw std::logic_error("no such control");
        return control;
    }

    void Notify(int controlId, int code, HWND control) {
        ::SendMessageW(Manager(), WM_COMMAND,
                       MAKEWPARAM(static_cast<WORD>(controlId), static_cast<WORD>(code)),
                       reinterpret_cast<LPARAM>(control));
    }

    Win32WindowSystem m_system;
    Dialog* m_manager = nullptr;
    struct Fill {
        bool redrawing = true;
        int addedWhileRedrawing = 0;
    };

    HHOOK m_hook = nullptr;
    HHOOK m_sentHook = nullptr;
    HHOOK m_handledHook = nullptr;
    std::map<HWND, std::size_t> m_boxIndex;
    std::map<HWND, Fill> m_fills;
    std::deque<int> m_answers;
    std::set<HWND> m_answered;
    std::vector<MessageBoxSeen> m_boxes;
    std::vector<ProgressSeen> m_closed;
};
}  // namespace

std::unique_ptr<UiDriver> MakeUiDriver() { return std::make_unique<Win32UiDriver>(); }
