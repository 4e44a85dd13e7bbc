#pragma once

#include "framework/Window.h"

// The window of one dialog, created by a WindowSystem from a template; valid from just before the
// dialog's WM_INITDIALOG until the window is destroyed (Dialog::GetWindow is null otherwise).
class DialogWindow : public Window {
public:
    // The child control with this identifier, or null when the template has none.
    virtual Window* GetControl(int id) = 0;
    // Ends a modal run with `result`; the window is destroyed once the current message is handled.
    virtual void EndDialog(int result) = 0;
    // Destroys the window and its controls now (DestroyWindow).
    virtual void Destroy() = 0;
    // Queues a message for the window's message loop (PostMessage).
    virtual void Post(unsigned message, WordParam wParam, LongParam lParam) = 0;

    virtual bool IsIconic() const = 0;
    virtual ClientRect GetClientRect() const = 0;
    // BeginPaint/EndPaint; BeginPaint returns the device context.
    virtual NativeHandle BeginPaint() = 0;
    virtual void EndPaint() = 0;
    virtual void DrawIcon(NativeHandle deviceContext, int x, int y, NativeHandle icon) = 0;
    // Paints whatever needs painting in the window and its controls now, for a window whose
    // thread is too busy to pump messages.
    virtual void PaintNow() = 0;

    // A message box owned by this window and modal to it. A null caption shows the application's
    // name, the executable's file name without directory and extension. Returns the answer
    // (kIdOk, kIdYes, kIdNo, ...).
    virtual int ShowMessageBox(const char* text, const char* caption, unsigned style) = 0;
};
