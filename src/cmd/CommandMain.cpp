// CalvornCmd.exe: the console companion of Calvorn, for deployment tools and scripts.

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "cmd/CommandOptions.h"
#include "cmd/CommandRun.h"
#include "cmd/CommandSystem.h"
#include "cmd/ExitCodes.h"
#include "cmd/Win32Administrator.h"
#include "cmd/Win32Console.h"
#include "cmd/Win32ConsoleCancel.h"
#include "platform/win32/LibrarySearchHardening.h"
#include "platform/win32/Win32IviSystem.h"
#include "platform/win32/Win32ListFiles.h"
#include "platform/win32/Win32LogFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WindowsInstaller.h"

namespace {

static_assert(kExitAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kExitUsage == ERROR_INVALID_PARAMETER);
static_assert(kExitCancelled == ERROR_INSTALL_USEREXIT);
static_assert(kExitFailed == ERROR_INSTALL_FAILURE);
static_assert(kExitInstallerBusy == ERROR_INSTALL_ALREADY_RUNNING);
static_assert(kExitRestartRequired == ERROR_SUCCESS_REBOOT_REQUIRED);

class Win32CommandSystem : public CommandSystem {
public:
    std::string Utf8FromCodePage(const char* text) override { return Utf8FromAnsi(text); }
    bool IsAdministrator() override { return IsProcessAdministrator(); }
    void WriteOutput(const std::string& text) override {
        WriteToStandardHandle(STD_OUTPUT_HANDLE, text);
    }
    void WriteError(const std::string& text) override {
        WriteToStandardHandle(STD_ERROR_HANDLE, text);
    }
    bool ReadListFile(const std::string& path, std::string& content) override {
        return ::ReadListFile(path, content);
    }
    LogFiles& InstallerLogFiles() override { return m_logFiles; }

private:
    Win32LogFiles m_logFiles;
};

int Run(int count, wchar_t** arguments, CommandSystem& system) {
    // The command line comes as UTF-16 whatever the code page, so any text can be asked for.
    std::vector<std::string> words;
    for (int i = 1; i < count; ++i) words.push_back(Utf8FromWide(arguments[i]));
    std::vector<const char*> wordTexts;
    for (const std::string& word : words) wordTexts.push_back(word.c_str());

    const ParsedCommandLine parsed =
        ParseCommandLine(static_cast<int>(wordTexts.size()), wordTexts.data());
    switch (parsed.kind) {
        case ParsedCommandLine::Kind::Help:
            system.WriteOutput(parsed.text);
            return kExitSuccess;
        case ParsedCommandLine::Kind::UsageError:
            system.WriteError(parsed.text);
            return kExitUsage;
        case ParsedCommandLine::Kind::Run:
            break;
    }
    ConsoleCancel cancel;
    Win32Registry registry;
    Win32WindowsInstaller installer;
    cancel.Watch(installer);
    Win32IviSystem ivi;
    try {
        return cancel.End(RunCommand(parsed.options, registry, installer, system, &ivi));
    } catch (...) {
        // The installer goes before the handler: the handler must not reach it then.
        cancel.End(kExitFailed);
        throw;
    }
}

}  // namespace

int wmain(int count, wchar_t** arguments) {
    // Before anything may load a DLL: msi.dll and the DLLs it pulls in come from the system
    // directory, never from a deployment share that holds this program.
    HardenLibrarySearch();
    Win32CommandSystem system;
    try {
        return Run(count, arguments, system);
    } catch (const std::exception& error) {
        system.WriteError(std::string("CalvornCmd: ended after an unexpected error: ") +
                          error.what() + "\n");
        return kExitFailed;
    }
}
