#pragma once

#include "framework/DialogWindow.h"

// Painting of one WM_PAINT: begins on construction, ends on destruction (CPaintDC).
class PaintContext {
public:
    explicit PaintContext(DialogWindow& window)
        : m_window(window), m_deviceContext(window.BeginPaint()) {}
    ~PaintContext() { m_window.EndPaint(); }

    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    NativeHandle GetDeviceContext() const { return m_deviceContext; }

private:
    DialogWindow& m_window;
    NativeHandle m_deviceContext;
};
