#pragma once

#include <vector>

#include "framework/WindowTypes.h"

class Dialog;

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
};
