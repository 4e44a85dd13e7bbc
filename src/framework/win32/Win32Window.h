#pragma once

#include "framework/Window.h"
#include "framework/win32/Win32Api.h"

// A child control of a dialog: the framework's Window over its HWND.
class Win32Window final : public Window {
public:
    explicit Win32Window(HWND window) : m_window(window) {}

    MessageResult Send(unsigned message, WordParam wParam = 0, LongParam lParam = 0) override {
        return ::SendMessageA(m_window, message, wParam, lParam);
    }
    // EnableWindow answers whether the window was disabled before.
    bool Enable(bool enable) override { return ::EnableWindow(m_window, enable) != FALSE; }
    bool IsEnabled() const override { return ::IsWindowEnabled(m_window) != FALSE; }
    NativeHandle GetHandle() const override { return m_window; }
    void Invalidate() override { ::RedrawWindow(m_window, nullptr, nullptr, kRedrawWholeWindow); }

private:
    HWND m_window;
};
