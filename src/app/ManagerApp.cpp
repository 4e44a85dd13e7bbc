#include "app/ManagerApp.h"

#include <windows.h>

#include <commctrl.h>

#include <iterator>
#include <string>

#include "app/InstanceGuard.h"
#include "framework/win32/Win32WindowSystem.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/Win32IviSystem.h"
#include "platform/win32/Win32LogFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32WindowsInstaller.h"
#include "ui/ManagerDialog.h"

namespace {

// Keeps the application's main window pointer for exactly as long as the window object lives,
// also when an exception leaves the modal run.
class MainWindowScope {
public:
    MainWindowScope(Dialog*& mainWindow, Dialog& dialog) : m_mainWindow(mainWindow) {
        m_mainWindow = &dialog;
    }
    ~MainWindowScope() { m_mainWindow = nullptr; }

    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;

private:
    Dialog*& m_mainWindow;
};

}  // namespace

const CommandEntry ManagerApp::kCommandEntries[] = {
    OnAppCommand<Application, &ManagerApp::OnHelp>(kIdHelp),
};

const CommandTable ManagerApp::kCommandTable = {&Application::kCommandTable, kCommandEntries,
                                                std::size(kCommandEntries)};

const CommandTable& ManagerApp::GetCommandTable() const { return kCommandTable; }

bool ManagerApp::InitInstance() {
    // The progress bar's class comes from the common controls; the rest gets their look.
    InitCommonControlClasses(ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES);

    // A second instance leaves before it touches a window, the registry or the installer.
    if (g_instanceMutexError == ERROR_ALREADY_EXISTS) return false;

    Win32WindowSystem windowSystem(GetInstanceHandle());
    Win32Registry registry;
    Win32WindowsInstaller installer;
    RunMainWindow(windowSystem, registry, installer);
    return false;
}

void ManagerApp::ReportUnexpectedError(const char* what) {
    const std::string text = std::string("The program ended after an unexpected error: ") + what;
    const Win32WindowSystem windowSystem(GetInstanceHandle());
    // The main window is gone by now, so the box has no owner.
    MessageBoxA(nullptr, text.c_str(), windowSystem.ApplicationName().c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void ManagerApp::RunMainWindow(WindowSystem& windowSystem, RegistryReader& registry,
                               WindowsInstaller& installer) {
    Win32LogFiles logFiles;
    Win32IviSystem ivi;
    ManagerDialog dialog(windowSystem, registry, installer, &logFiles, &ivi);
    MainWindowScope mainWindow(m_pMainWnd, dialog);
    // Done and Cancel both simply end the program.
    dialog.DoModal();
}
