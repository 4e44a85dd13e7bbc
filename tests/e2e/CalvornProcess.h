#pragma once

#include <windows.h>

#include <string>
#include <utility>

// One run of the real Calvorn.exe, started as a user would start it. A run that a test leaves
// behind is ended when the object goes, so that the next test starts from nothing.
class CalvornProcess {
public:
    CalvornProcess() = default;
    ~CalvornProcess();

    CalvornProcess(const CalvornProcess&) = delete;
    CalvornProcess& operator=(const CalvornProcess&) = delete;

    // The executable that Start runs, as a Windows path; the build's Calvorn.exe unless set.
    void SetExecutable(std::string windowsPath) { m_executable = std::move(windowsPath); }
    // Starts the program with `arguments` as its command line's tail; false when it cannot.
    bool Start(const char* arguments = "");
    DWORD Id() const { return m_process.dwProcessId; }

    // The program's main window once it shows, or null when none shows within the bound.
    HWND WaitForMainWindow() const;
    // Whether the process ends within the bound.
    bool WaitForEnd() const;
    bool HasEnded() const;

private:
    std::string m_executable;
    PROCESS_INFORMATION m_process = {};
};

// The name of the program's single-instance mutex, and whether it exists now.
extern const char kInstanceMutexName[];
bool InstanceMutexExists();
