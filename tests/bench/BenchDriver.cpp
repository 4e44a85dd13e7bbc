// The measuring side of scripts/bench, run inside the Wine session so that every time is taken
// there with QueryPerformanceCounter. Each command prints one line of name=value figures.
//
//   calvorn_bench list EXE COUNT CLASS   start-up until COUNT lines show, the Class filter set
//                                        to CLASS, back to "<All>", Refresh; peak working set
//   calvorn_bench enumerate EXE          start to end of a program that only reads the key
//   calvorn_bench remove EXE COUNT       every line selected, Remove, time from Yes to summary
//   calvorn_bench msiexec CODE...        msiexec /x CODE /qn for each, one after another
//   calvorn_bench install MSI...         installs the packages silently
//   calvorn_bench installed CODE...      how many of the products are installed
#include <windows.h>

#include <msi.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "RemoteWindows.h"
#include "res/resource.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "calvorn_bench: %s\n", what.c_str());
    std::exit(1);
}

// Polls with the shortest pause, so that the wait adds next to nothing to what is measured.
template <class Ready>
void Await(Ready ready, const char* what, double boundMilliseconds = 600000) {
    const double end = Now() + boundMilliseconds;
    while (!ready()) {
        if (Now() > end) Fail(std::string("timed out waiting for ") + what);
        Sleep(1);
    }
}

PROCESS_INFORMATION Start(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        Fail("cannot start " + commandLine);
    }
    return process;
}

void End(PROCESS_INFORMATION& process) {
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        Fail("the program did not end");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

HWND MainWindow(DWORD processId) {
    for (HWND window : TopLevelWindows(processId, "Calvorn")) {
        if (GetWindow(window, GW_OWNER) == nullptr) return window;
    }
    return nullptr;
}

// A message box, not the progress window: Wine's box has its text and icon statics.
HWND MessageBoxOf(DWORD processId, HWND owner) {
    for (HWND window : TopLevelWindows(processId)) {
        if (GetWindow(window, GW_OWNER) == owner && GetDlgItem(window, 0xFFFF) &&
            GetDlgItem(window, 1088)) {
            return window;
        }
    }
    return nullptr;
}

int LineCount(HWND window) {
    return static_cast<int>(SendMessageW(GetDlgItem(window, IDC_DRIVER_LIST), LB_GETCOUNT, 0, 0));
}

// Sends the command and waits for the window to have painted what it changed.
double TimedCommand(HWND window, int controlId, int code) {
    const double start = Now();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(controlId, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, controlId)));
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - start;
}

double Choose(HWND window, int filterId, const std::string& text) {
    HWND combo = GetDlgItem(window, filterId);
    const std::vector<std::string> items = ComboBoxItems(combo);
    const auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end()) Fail("no filter item " + text);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found - items.begin()), 0);
    return TimedCommand(window, filterId, CBN_SELCHANGE);
}

int List(const std::string& exe, int count, const std::string& classText) {
    const double start = Now();
    PROCESS_INFORMATION process = Start("\"" + exe + "\"");
    HWND window = nullptr;
    Await([&] { return (window = MainWindow(process.dwProcessId)) != nullptr; }, "the window");
    Await([&] { return LineCount(window) == count; }, "the filled list");
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double startup = Now() - start;

    const double classFilter = Choose(window, IDC_CLASS_FILTER, classText);
    if (LineCount(window) <= 0 || LineCount(window) >= count) Fail("the Class filter did nothing");
    const double all = Choose(window, IDC_CLASS_FILTER, "<All>");
    if (LineCount(window) != count) Fail("\"<All>\" did not list every driver");
    const double refresh = TimedCommand(window, IDC_REFRESH, BN_CLICKED);
    if (LineCount(window) != count) Fail("Refresh did not list every driver");

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) Fail("no memory figures");
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    End(process);
    std::printf("startup=%.1f class=%.1f all=%.1f refresh=%.1f peak_ws=%zu\n", startup, classFilter,
                all, refresh, static_cast<std::size_t>(memory.PeakWorkingSetSize));
    return 0;
}

int Enumerate(const std::string& exe) {
    const double start = Now();
    PROCESS_INFORMATION process = Start("\"" + exe + "\" enumerate");
    End(process);
    std::printf("enumerate=%.1f\n", Now() - start);
    return 0;
}

int Remove(const std::string& exe, int count) {
    PROCESS_INFORMATION process = Start("\"" + exe + "\"");
    HWND window = nullptr;
    Await([&] { return (window = MainWindow(process.dwProcessId)) != nullptr; }, "the window");
    Await([&] { return LineCount(window) == count; }, "the filled list");
    HWND list = GetDlgItem(window, IDC_DRIVER_LIST);
    SendMessageW(list, LB_SETSEL, TRUE, -1);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_DRIVER_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_REMOVE)));
    HWND box = nullptr;
    Await([&] { return (box = MessageBoxOf(process.dwProcessId, window)) != nullptr; },
          "the question");
    Await([&] { return IsWindowVisible(box) != FALSE; }, "the question on screen");

    const double start = Now();
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    Await([&] { return IsWindow(box) == FALSE; }, "the question to close");
    HWND summary = nullptr;
    Await([&] { return (summary = MessageBoxOf(process.dwProcessId, window)) != nullptr; },
          "the summary");
    const double removal = Now() - start;

    PostMessageW(summary, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Await([&] { return IsWindow(summary) == FALSE; }, "the summary to close");
    const int left = LineCount(window);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    End(process);
    std::printf("remove=%.1f lines_left=%d\n", removal, left);
    return 0;
}

int Msiexec(const std::vector<std::string>& codes) {
    const double start = Now();
    for (const std::string& code : codes) {
        PROCESS_INFORMATION process =
            Start("msiexec.exe /x " + code + " /qn REBOOT=ReallySuppress");
        End(process);
    }
    std::printf("msiexec=%.1f\n", Now() - start);
    return 0;
}

int Install(const std::vector<std::string>& packages) {
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    for (const std::string& package : packages) {
        const UINT result = MsiInstallProductA(package.c_str(), "");
        if (result != ERROR_SUCCESS) Fail("installing " + package + ": " + std::to_string(result));
    }
    return 0;
}

int Installed(const std::vector<std::string>& codes) {
    int installed = 0;
    for (const std::string& code : codes) {
        if (MsiQueryProductStateA(code.c_str()) == INSTALLSTATE_DEFAULT) ++installed;
    }
    std::printf("installed=%d\n", installed);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string command = args.empty() ? "" : args[0];
    const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (command == "list" && rest.size() == 3) return List(rest[0], std::stoi(rest[1]), rest[2]);
    if (command == "enumerate" && rest.size() == 1) return Enumerate(rest[0]);
    if (command == "remove" && rest.size() == 2) return Remove(rest[0], std::stoi(rest[1]));
    if (command == "msiexec") return Msiexec(rest);
    if (command == "install") return Install(rest);
    if (command == "installed") return Installed(rest);
    std::fprintf(stderr, "usage: see the head of BenchDriver.cpp\n");
    return 2;
}
