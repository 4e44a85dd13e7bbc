#include "cmd/Win32ConsoleCancel.h"

#include <windows.h>

#include <mutex>

#include "cmd/ExitCodes.h"
#include "installer/WindowsInstaller.h"

namespace {

// Windows ends a process whose handler of a closing console has not returned within its
// hung-application time-out, 5 seconds unless changed; the run gets well under that to stop.
constexpr DWORD kCloseWaitMilliseconds = 3000;

// A console control handler takes no context of its own; the system runs it on a thread it
// starts for the purpose, which must not reach an installer that is gone.
std::mutex g_lock;
WindowsInstaller* g_cancelTarget = nullptr;
bool g_stopRequested = false;
bool g_closing = false;
bool g_ended = false;
// Set when the run has ended; made once and kept for the life of the process.
HANDLE g_runEnded = nullptr;

BOOL WINAPI OnConsoleControl(DWORD controlType) {
    if (controlType != CTRL_C_EVENT && controlType != CTRL_BREAK_EVENT &&
        controlType != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> lock(g_lock);
        if (g_ended) return FALSE;
        // A stop that comes before the installer is loaded reaches it once it is.
        if (g_cancelTarget != nullptr) g_cancelTarget->RequestCancel();
        g_stopRequested = true;
        if (controlType != CTRL_CLOSE_EVENT) return TRUE;
        g_closing = true;
    }
    // Returning from a close ends the process at once, with a code of the system's and in the
    // middle of the installer's rollback. The process ends here instead, with the stop's code,
    // once the run has ended or its time is up.
    WaitForSingleObject(g_runEnded, kCloseWaitMilliseconds);
    ExitProcess(kExitCancelled);
}

}  // namespace

ConsoleCancel::ConsoleCancel() {
    {
        std::lock_guard<std::mutex> lock(g_lock);
        if (g_runEnded == nullptr) g_runEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (g_runEnded != nullptr) ResetEvent(g_runEnded);
        g_cancelTarget = nullptr;
        g_stopRequested = false;
        g_ended = false;
    }
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void ConsoleCancel::Watch(WindowsInstaller& installer) {
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_ended) return;
    g_cancelTarget = &installer;
    if (g_stopRequested) installer.RequestCancel();
}

// The handler is never removed: SetConsoleCtrlHandler waits for a handler under way, which may be
// waiting for this run to end. Without a target it leaves every signal to the system.
ConsoleCancel::~ConsoleCancel() { End(kExitSuccess); }

int ConsoleCancel::End(int exitCode) {
    std::lock_guard<std::mutex> lock(g_lock);
    g_cancelTarget = nullptr;
    g_ended = true;
    if (g_runEnded != nullptr) SetEvent(g_runEnded);
    return g_closing ? kExitCancelled : exitCode;
}
