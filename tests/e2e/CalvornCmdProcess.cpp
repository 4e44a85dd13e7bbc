#include "CalvornCmdProcess.h"

#include <tlhelp32.h>

#include <cctype>
#include <fstream>
#include <iterator>

#include "SampleDrivers.h"

namespace {

// A file the child inherits as a standard handle; removed once closed. Files rather than pipes,
// so that neither stream can fill up while the other is read.
class CaptureFile {
public:
    explicit CaptureFile(const char* name) {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        m_path = std::string(folder) + "calvorncmd-" + std::to_string(GetCurrentProcessId()) + "-" +
                 name + ".txt";
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        m_handle = CreateFileA(m_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    }
    ~CaptureFile() {
        Close();
        DeleteFileA(m_path.c_str());
    }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    HANDLE Handle() const { return m_handle; }
    std::string Text() {
        Close();
        std::ifstream file(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

private:
    void Close() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

    std::string m_path;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

}  // namespace

CalvornCmdRun RunCalvornCmd(const std::string& arguments,
                            const std::function<void(DWORD processId)>& whileRunning) {
    CalvornCmdRun run;
    CaptureFile output("output");
    CaptureFile error("error");
    const std::string executable = WindowsPath(CALVORN_CMD_EXE_PATH);
    std::string commandLine = "\"" + executable + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output.Handle();
    startup.hStdError = error.Handle();
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(executable.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return run;
    }
    if (whileRunning) whileRunning(process.dwProcessId);
    // Removals under Wine take well under a second each; a minute is room for them all.
    run.ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    if (!run.ended) TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.output = output.Text();
    run.error = error.Text();
    return run;
}

bool HasLoaded(DWORD processId, const std::string& name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &module); more && !found;
         more = Module32Next(snapshot, &module)) {
        found = lstrcmpiA(module.szModule, name.c_str()) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

bool StartOnHost(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool PressCtrlCInCalvornCmd() {
    // Wine names the process by its Windows command line. Every character of the executable's
    // path but letters and digits matches any character, so that the pattern needs no quoting
    // and matches this build's program only.
    std::string pattern;
    for (char c : WindowsPath(CALVORN_CMD_EXE_PATH)) {
        pattern += std::isalnum(static_cast<unsigned char>(c)) ? c : '.';
    }
    return StartOnHost("/usr/bin/pkill -INT -f " + pattern);
}
