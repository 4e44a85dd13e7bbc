#pragma once

#include "framework/WindowTypes.h"

// One window or control as a backend provides it. Control wrappers and dialogs reach the window
// system only through this and DialogWindow.
class Window {
public:
    virtual ~Window() = default;

    // Sends a message and returns the window's answer unchanged (SendMessage).
    virtual MessageResult Send(unsigned message, WordParam wParam = 0, LongParam lParam = 0) = 0;
    // Enables or disables mouse and keyboard input; returns true if it was disabled before.
    virtual bool Enable(bool enable) = 0;
    virtual bool IsEnabled() const = 0;
    virtual NativeHandle GetHandle() const = 0;
    // Marks the whole window to be repainted: background, frame and scroll bars, and its child
    // windows.
    virtual void Invalidate() = 0;
};
