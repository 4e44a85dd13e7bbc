#pragma once

#include <cassert>

#include "framework/Window.h"

// Base of the thin control wrappers: an unowned pointer to the backend's control window, set by
// BindControl and valid while the dialog's window exists.
class Control {
public:
    void Attach(Window* window) { m_window = window; }
    void Detach() { m_window = nullptr; }
    Window* GetControlWindow() const { return m_window; }
    NativeHandle GetSafeHandle() const { return m_window ? m_window->GetHandle() : nullptr; }

    bool EnableWindow(bool enable = true) { return Target().Enable(enable); }
    bool IsWindowEnabled() const { return Target().IsEnabled(); }
    // Turning redrawing back on does not repaint on Windows: Invalidate afterwards.
    void SetRedraw(bool redraw) { Send(kWmSetRedraw, redraw ? 1 : 0); }
    void Invalidate() { Target().Invalidate(); }

protected:
    MessageResult Send(unsigned message, WordParam wParam = 0, LongParam lParam = 0) const {
        return Target().Send(message, wParam, lParam);
    }

private:
    Window& Target() const {
        assert(m_window && "control used before it was bound");
        return *m_window;
    }

    Window* m_window = nullptr;
};
