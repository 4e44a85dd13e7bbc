#pragma once

#include <memory>
#include <vector>

#include "framework/DialogWindow.h"
#include "framework/win32/Win32Api.h"
#include "framework/win32/Win32Window.h"

class Dialog;
class Win32WindowSystem;

// The host of one dialog's window: it travels to the dialog procedure through the long
// parameter of DialogBoxParamA/CreateDialogParamA, lives in the window's DWLP_USER from
// WM_INITDIALOG on, and hands every message to the Dialog's message tables.
class Win32DialogWindow final : public DialogWindow {
public:
    Win32DialogWindow(Win32WindowSystem& system, Dialog& dialog, bool modal, bool centre);
    ~Win32DialogWindow() override;

    Win32DialogWindow(const Win32DialogWindow&) = delete;
    Win32DialogWindow& operator=(const Win32DialogWindow&) = delete;

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool IsModal() const { return m_modal; }
    bool IsCreating() const { return m_creating; }
    void CreationDone() { m_creating = false; }
    HWND GetHwnd() const { return m_window; }
    // Whether one of its messages is being handled: a released host must outlive that.
    bool IsReceiving() const { return m_receiving > 0; }

    // Window
    MessageResult Send(unsigned message, WordParam wParam = 0, LongParam lParam = 0) override;
    bool Enable(bool enable) override;
    bool IsEnabled() const override;
    NativeHandle GetHandle() const override { return m_window; }
    void Invalidate() override;

    // DialogWindow
    Window* GetControl(int id) override;
    void EndDialog(int result) override;
    void Destroy() override;
    void Post(unsigned message, WordParam wParam, LongParam lParam) override;
    bool IsIconic() const override;
    ClientRect GetClientRect() const override;
    NativeHandle BeginPaint() override;
    void EndPaint() override;
    void DrawIcon(NativeHandle deviceContext, int x, int y, NativeHandle icon) override;
    void PaintNow() override;
    int ShowMessageBox(const char* text, const char* caption, unsigned style) override;

private:
    void Attach(HWND window);
    INT_PTR Receive(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void OnGone();
    void CentreOnWorkArea();

    Win32WindowSystem& m_system;
    Dialog* m_dialog;
    bool m_modal;
    bool m_centre;
    bool m_creating = true;
    bool m_failed = false;
    int m_receiving = 0;
    HWND m_window = nullptr;
    PAINTSTRUCT m_paint = {};
    std::vector<std::unique_ptr<Win32Window>> m_controls;
};
