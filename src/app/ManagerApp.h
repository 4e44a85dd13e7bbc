#pragma once

#include "app/Application.h"

class RegistryReader;
class WindowSystem;
class WindowsInstaller;

// The Calvorn application: refuses to start beside a running instance, otherwise runs the
// manager window modally and ends when it closes.
class ManagerApp : public Application {
public:
    ManagerApp() = default;
    ~ManagerApp() override = default;

protected:
    // Always false: the process ends when the main window has closed, or at once when another
    // instance runs.
    bool InitInstance() override;
    const CommandTable& GetCommandTable() const override;
    // A message box of its own, captioned with the application's name, with the error icon.
    void ReportUnexpectedError(const char* what) override;

    // The main window's modal run over the given bindings; it is the main window meanwhile.
    void RunMainWindow(WindowSystem& windowSystem, RegistryReader& registry,
                       WindowsInstaller& installer);

private:
    static const CommandEntry kCommandEntries[];
    static const CommandTable kCommandTable;
};
