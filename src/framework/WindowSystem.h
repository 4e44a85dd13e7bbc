#pragma once

#include <string>
#include <vector>

#include "framework/WindowTypes.h"

class Dialog;
class Window;

// One command of a shortcut menu; a disabled one shows greyed out and cannot be chosen.
struct MenuItem {
    int command;
    const char* text;
    bool enabled;
};

// How a file dialog ended.
enum class FileChoice { Done, Cancelled, Failed };

// A backend: creates dialog windows from templates and answers the few questions that are not
// about one window. Win32WindowSystem makes real windows; MemoryWindowSystem keeps them in memory.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Creates the window of `dialog` and its controls from template `templateId`, owned by
    // `parent`'s window (none when null), hands it to Dialog::AttachWindow, sends WM_INITDIALOG,
    // and dispatches messages to Dialog::HandleMessage until DialogWindow::EndDialog; then
    // destroys the window (Dialog::DetachWindow) and returns the EndDialog result. Returns -1
    // when the window cannot be created. An unowned dialog whose template position is 0, 0 is
    // centred on the work area once its WM_INITDIALOG has been handled.
    virtual int RunModal(Dialog& dialog, int templateId, Dialog* parent) = 0;

    // Creates the window modeless, owned by `parent`'s window and placed relative to its client
    // area; WM_INITDIALOG is handled before this returns. False when it cannot be created.
    virtual bool CreateModeless(Dialog& dialog, int templateId, Dialog* parent) = 0;

    // The template's initial control data (resource type 240, same id); empty when none.
    virtual std::vector<unsigned char> LoadInitialControlData(int templateId) = 0;

    // The group-icon resource at the system's large icon size; null when missing.
    virtual NativeHandle LoadIcon(int resourceId) = 0;

    // GetSystemMetrics.
    virtual int GetSystemMetric(int index) = 0;

    // Whether a key was down when the message being handled was sent (GetKeyState).
    virtual bool IsKeyDown(unsigned virtualKey) = 0;
    // Shows a shortcut menu owned by `owner` and waits for the user's choice: at the screen
    // point of a WM_CONTEXTMENU's long parameter, or, for one opened from the keyboard (-1, -1),
    // at `anchor`'s top-left corner. Returns the chosen command; 0 when none was chosen.
    virtual int ShowShortcutMenu(Dialog& owner, Window& anchor, LongParam point,
                                 const std::vector<MenuItem>& items) = 0;
    // Puts UTF-8 text on the clipboard as Unicode text; false when the clipboard is not
    // available.
    virtual bool CopyToClipboard(Dialog& owner, const std::string& text) = 0;
    // The system's Save dialog for a CSV file, proposing `defaultName`; writes `content` as the
    // whole of the file chosen. `path` is the file's (UTF-8) once chosen.
    virtual FileChoice SaveCsvFileAs(Dialog& owner, const char* defaultName,
                                     const std::string& content, std::string& path) = 0;
    // The system's Open dialog for a CSV file; reads the whole of the file chosen.
    virtual FileChoice OpenCsvFile(Dialog& owner, std::string& path, std::string& content) = 0;
    // A control's text, in the system's ANSI code page, as UTF-8.
    virtual std::string Utf8FromWindowText(const char* text) = 0;
};
