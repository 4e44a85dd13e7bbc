#include "CalvornProcess.h"

#include <string>

#include "Polling.h"
#include "RemoteWindows.h"
#include "SampleDrivers.h"

const char kInstanceMutexName[] = "{5DE0E0D9-E821-43c5-A99D-E2980C2EEEC0}";

CalvornProcess::~CalvornProcess() {
    if (m_process.hProcess == nullptr) return;
    if (!HasEnded()) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 30000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool CalvornProcess::Start(const char* arguments) {
    const std::string executable =
        m_executable.empty() ? WindowsPath(CALVORN_EXE_PATH) : m_executable;
    std::string commandLine = "\"" + executable + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(executable.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &m_process) != FALSE;
}

HWND CalvornProcess::WaitForMainWindow() const {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : TopLevelWindows(Id(), "Calvorn")) {
            // The summary message box shares the caption; the main window has no owner.
            if (GetWindow(window, GW_OWNER) == nullptr) found = window;
        }
        return found != nullptr || HasEnded();
    });
    return found;
}

bool CalvornProcess::WaitForEnd() const {
    return WaitForSingleObject(m_process.hProcess, 60000) == WAIT_OBJECT_0;
}

bool CalvornProcess::HasEnded() const {
    return WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
}

bool InstanceMutexExists() {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutexName);
    if (mutex == nullptr) return false;
    CloseHandle(mutex);
    return true;
}
