#include "cmd/Win32ConsoleCancel.h"

#include <windows.h>

#include <mutex>

#include "installer/WindowsInstaller.h"

namespace {

// A console control handler takes no context of its own; the system runs it on a thread it
// starts for the purpose, which must not reach an installer that is gone.
std::mutex g_cancelTargetLock;
WindowsInstaller* g_cancelTarget = nullptr;

BOOL WINAPI OnConsoleControl(DWORD controlType) {
    if (controlType != CTRL_C_EVENT && controlType != CTRL_BREAK_EVENT &&
        controlType != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> lock(g_cancelTargetLock);
        if (g_cancelTarget == nullptr) return FALSE;
        g_cancelTarget->RequestCancel();
    }
    // Returning from a close ends the process at once, in the middle of the installer's
    // rollback; the run ends the process itself once the removal has stopped (Windows ends it
    // regardless when its time for a closing console has passed).
    if (controlType == CTRL_CLOSE_EVENT) Sleep(INFINITE);
    return TRUE;
}

}  // namespace

ConsoleCancel::ConsoleCancel(WindowsInstaller& installer) {
    {
        std::lock_guard<std::mutex> lock(g_cancelTargetLock);
        g_cancelTarget = &installer;
    }
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

ConsoleCancel::~ConsoleCancel() {
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    std::lock_guard<std::mutex> lock(g_cancelTargetLock);
    g_cancelTarget = nullptr;
}
