#include "platform/win32/WindowServing.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr DWORD kBound = 5000;
constexpr int kQuitCode = 7;

// Set when the test window takes the message the case waits for.
HANDLE g_served = CreateEventW(nullptr, TRUE, FALSE, nullptr);
UINT g_servedMessage = 0;

LRESULT CALLBACK TestWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_servedMessage) SetEvent(g_served);
    return DefWindowProcW(window, message, wParam, lParam);
}

// A key pressed on the window, already in the queue when the wait begins; nothing in the queue
// is new by then.
bool QueueKeySeenBefore(HWND window) {
    SetForegroundWindow(window);
    SetFocus(window);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F7;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(2, keys, sizeof(INPUT)) != 2) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kBound, QS_KEY);
    return (HIWORD(GetQueueStatus(QS_ALLINPUT)) & QS_KEY) != 0;
}

// A quit request, and a repaint that wakes the wait.
bool QueueQuitAndPaint(HWND window) {
    PostQuitMessage(kQuitCode);
    return InvalidateRect(window, nullptr, TRUE) != FALSE;
}

struct ServingCase {
    const char* name;
    UINT served;  // what the window must take while the work runs
    bool (*queue)(HWND window);
    bool quitKept;
};

void PrintTo(const ServingCase& c, std::ostream* out) { *out << c.name; }

class WindowServing : public testing::TestWithParam<ServingCase> {};

TEST_P(WindowServing, ServesTheWindowWhileTheWorkRunsAndKeepsAQuitRequest) {
    const ServingCase& c = GetParam();
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &TestWindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CalvornServingTest";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"CalvornServingTest", L"Serving", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ResetEvent(g_served);
    g_servedMessage = c.served;
    ASSERT_TRUE(c.queue(window));

    bool servedDuringWork = false;
    ServingWorker().Run(
        [&] { servedDuringWork = WaitForSingleObject(g_served, kBound) == WAIT_OBJECT_0; });
    EXPECT_TRUE(servedDuringWork);
    MSG quit = {};
    EXPECT_EQ(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, c.quitKept);
    if (c.quitKept) {
        EXPECT_EQ(quit.wParam, static_cast<WPARAM>(kQuitCode));
    }
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowServing,
                         testing::Values(ServingCase{"InputQueuedBeforeTheWaitIsServedDuringIt",
                                                     WM_KEYDOWN, &QueueKeySeenBefore, false},
                                         ServingCase{"AQuitRequestTakenWhileServingIsPostedAgain",
                                                     WM_PAINT, &QueueQuitAndPaint, true}),
                         [](const testing::TestParamInfo<ServingCase>& c) { return c.param.name; });

}  // namespace
