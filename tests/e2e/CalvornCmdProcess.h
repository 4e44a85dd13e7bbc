#pragma once

#include <windows.h>

#include <string>

// One finished run of the real CalvornCmd.exe: its exit code and what it wrote to each stream.
struct CalvornCmdRun {
    DWORD exitCode = 0;
    std::string output;
    std::string error;
    // Whether it started and ended within the bound; the rest holds nothing otherwise.
    bool ended = false;
};

// Runs CalvornCmd.exe with `arguments` as its command line's tail, its streams going to files.
CalvornCmdRun RunCalvornCmd(const std::string& arguments);
