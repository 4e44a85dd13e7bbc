#pragma once

#include <windows.h>

#include <functional>
#include <string>

// One finished run of the real CalvornCmd.exe: its exit code and what it wrote to each stream.
struct CalvornCmdRun {
    DWORD exitCode = 0;
    std::string output;
    std::string error;
    // Whether it started and ended within the bound; the rest holds nothing otherwise.
    bool ended = false;
};

// Runs CalvornCmd.exe with `arguments` as its command line's tail, its streams going to files;
// `whileRunning` runs once it has started, given its process id.
CalvornCmdRun RunCalvornCmd(const std::string& arguments,
                            const std::function<void(DWORD processId)>& whileRunning = nullptr);

// Whether the process has loaded the DLL `name` ("msi.dll").
bool HasLoaded(DWORD processId, const std::string& name);

// Starts a program of the Unix host by its path, as a Windows program would start one. Wine gives
// no handle to wait for it by. False when it could not be started.
bool StartOnHost(std::string commandLine);

// Ctrl+C to the CalvornCmd.exe of this build, as a console sends it: Wine hands a SIGINT to the
// program's console control handler as CTRL_C_EVENT. False when it could not be sent.
bool PressCtrlCInCalvornCmd();
