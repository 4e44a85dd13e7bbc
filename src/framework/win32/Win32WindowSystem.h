#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "framework/WindowSystem.h"

class Win32DialogWindow;

// The window system of the platform: dialogs from the templates of one module (DialogBoxParamA,
// CreateDialogParamA), its icons and initial control data, and message boxes.
//
// An exception never crosses a dialog procedure. The first one thrown by a handler is kept and
// the window it came from gets no more messages; then:
// - in a modal dialog, or in a modeless one while other modal runs are going, the innermost
//   modal run is ended, and its RunModal rethrows once its window is destroyed;
// - while a modeless window is being created, CreateModeless destroys it and rethrows;
// - in a modeless window with no modal run going, it waits for the next RunModal or
//   CreateModeless, which rethrows it before doing anything else.
class Win32WindowSystem : public WindowSystem {
public:
    // `module` is the HINSTANCE whose resources hold the templates and icons.
    explicit Win32WindowSystem(NativeHandle module);
    ~Win32WindowSystem() override;

    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    int RunModal(Dialog& dialog, int templateId, Dialog* parent) override;
    bool CreateModeless(Dialog& dialog, int templateId, Dialog* parent) override;
    std::vector<unsigned char> LoadInitialControlData(int templateId) override;
    NativeHandle LoadIcon(int resourceId) override;
    int GetSystemMetric(int index) override;
    // Win32UserServices.cpp.
    bool IsKeyDown(unsigned virtualKey) override;
    int ShowShortcutMenu(Dialog& owner, Window& anchor, LongParam point,
                         const std::vector<MenuItem>& items) override;
    bool CopyToClipboard(Dialog& owner, const std::string& text) override;
    FileChoice SaveCsvFileAs(Dialog& owner, const char* defaultName, const std::string& content,
                             std::string& path) override;
    FileChoice OpenCsvFile(Dialog& owner, std::string& path, std::string& content) override;
    std::string Utf8FromWindowText(const char* text) override;

    // The executable's file name without directory and extension, in the ANSI code page: the
    // caption of a message box given none.
    const std::string& ApplicationName() const { return m_applicationName; }

    // For Win32DialogWindow.
    void Fail(std::exception_ptr error, Win32DialogWindow& source);
    void Release(Win32DialogWindow& host);

private:
    bool CentresOnWorkArea(int templateId, bool owned) const;
    void RethrowPending();
    void DeleteReleasedHosts();

    NativeHandle m_module;
    std::string m_applicationName;
    std::exception_ptr m_pending;
    // Innermost last.
    std::vector<Win32DialogWindow*> m_modalRuns;
    std::vector<std::unique_ptr<Win32DialogWindow>> m_modeless;
    // Hosts whose windows are gone; deleted outside their own dialog procedure.
    std::vector<std::unique_ptr<Win32DialogWindow>> m_released;
};
