#pragma once

#include <cstddef>

#include "framework/WindowTypes.h"

class Application;
class Dialog;

// The standard help command.
constexpr unsigned kIdHelp = 0xE146;

// The exit status of a run that an unexpected exception ended.
constexpr int kExitUnexpectedError = 1;

// One row of an application's command table: a command identifier and its handler.
struct CommandEntry {
    unsigned commandId;
    void (*handler)(Application& application);
};

// The static command table of one application class; rows are tried in order, then the base
// class's table.
struct CommandTable {
    const CommandTable* base;
    const CommandEntry* entries;
    std::size_t count;
};

namespace command_table_detail {
template <class T, void (T::*Handler)()>
void Call(Application& application) {
    (static_cast<T&>(application).*Handler)();
}
}  // namespace command_table_detail

// A command row with a typed handler: void Handler().
template <class T, void (T::*Handler)()>
constexpr CommandEntry OnAppCommand(unsigned commandId) {
    return {commandId, &command_table_detail::Call<T, Handler>};
}

// The process's one application object: it starts the program and answers the commands that
// no window handles. A dialog application runs its main window modally inside InitInstance and
// returns false from it, so this base has no message loop of its own.
class Application {
public:
    Application() = default;
    virtual ~Application() = default;

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The entry's work: remembers the module, runs InitInstance, then ExitInstance, whose
    // result is the process's exit status. An exception that leaves InitInstance is reported
    // through ReportUnexpectedError and ends the run with kExitUnexpectedError.
    int Run(NativeHandle instanceHandle);

    // Routes a command through this class's table, then its bases'; false when no row has it.
    bool OnCommand(unsigned commandId);

    // The window running as the main window, or null.
    Dialog* GetMainWindow() const { return m_pMainWnd; }
    // The module that holds the program's resources (HINSTANCE on Win32).
    NativeHandle GetInstanceHandle() const { return m_instanceHandle; }

protected:
    // Starts the program. True would ask for a message loop, which this base does not run.
    virtual bool InitInstance();
    virtual int ExitInstance();
    virtual const CommandTable& GetCommandTable() const;
    // Tells the user why the program is ending; `what` names what failed. Shows nothing here.
    virtual void ReportUnexpectedError(const char* what);

    // The standard help handler. The program has no help content, so it shows nothing.
    void OnHelp();

    static const CommandTable kCommandTable;

    Dialog* m_pMainWnd = nullptr;

private:
    NativeHandle m_instanceHandle = nullptr;
};
