#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/WindowSystem.h"
#include "framework/memory/MemoryDialogWindow.h"
#include "framework/memory/MemoryTemplate.h"

// The window system in memory, for tests: dialogs come from templates the test registers, a
// modal run is the test's own callback acting as the user, and message boxes are answered from a
// script and recorded. Everything runs synchronously on the caller's thread, so an exception
// thrown by a handler comes out of the call that caused it; a modal run destroys its window
// before letting it pass.
class MemoryWindowSystem : public WindowSystem {
public:
    MemoryWindowSystem();
    ~MemoryWindowSystem() override;

    // WindowSystem
    int RunModal(Dialog& dialog, int templateId, Dialog* parent) override;
    bool CreateModeless(Dialog& dialog, int templateId, Dialog* parent) override;
    std::vector<unsigned char> LoadInitialControlData(int templateId) override;
    NativeHandle LoadIcon(int resourceId) override;
    int GetSystemMetric(int index) override;
    bool IsKeyDown(unsigned virtualKey) override { return keysDown.count(virtualKey) != 0; }
    int ShowShortcutMenu(Dialog& owner, Window& anchor, LongParam point,
                         const std::vector<MenuItem>& items) override;
    bool CopyToClipboard(Dialog& owner, const std::string& text) override;
    FileChoice SaveCsvFileAs(Dialog& owner, const char* defaultName, const std::string& content,
                             std::string& path) override;
    FileChoice OpenCsvFile(Dialog& owner, std::string& path, std::string& content) override;
    // Texts pass unchanged.
    std::string Utf8FromWindowText(const char* text) override { return text; }

    // Arrangement.
    void AddTemplate(int templateId, MemoryTemplate dialogTemplate);
    // LoadIcon returns a handle for it; the same one every time.
    void AddIcon(int resourceId);
    // Defaults: SM_CXICON and SM_CYICON 32; any other metric 0.
    void SetSystemMetric(int index, int value);
    // The caption of a message box given none; default "Calvorn".
    void SetApplicationName(std::string name);
    // Answers in order; with none queued, kIdNo for a Yes/No box, kIdCancel for another box
    // with a Cancel button, kIdOk for an OK box.
    void QueueMessageBoxAnswer(int answer);

    // The keyboard, the shortcut menus, the clipboard and the files as the user leaves them.
    std::set<unsigned> keysDown;
    // The command the user picks in the next shortcut menu; none (0) when nothing is queued.
    // A disabled item cannot be picked: picking it chooses nothing.
    std::deque<int> menuChoices;
    struct MenuShown {
        NativeHandle anchor;
        LongParam point;
        std::vector<MenuItem> items;
    };
    std::vector<MenuShown> menusShown;
    std::string clipboard;
    // The file the user picks in the next Save or Open dialog; empty cancels it. A Save dialog
    // records the name it proposed.
    std::string nextFileChoice;
    std::string proposedFileName;
    // The files: Open of a path that is missing fails, as does Save to a path in refusedPaths.
    std::map<std::string, std::string> files;
    std::set<std::string> refusedPaths;

    // Runs when a message box opens, before it is answered.
    std::function<void(const MessageBoxCall&)> onMessageBox;
    // The user during every modal run, called once the window is initialised and centred. A run
    // that it has not ended is ended with IDCANCEL when it returns.
    std::function<void(MemoryDialogWindow&)> onModal;

    // Observation.
    const std::vector<MessageBoxCall>& MessageBoxes() const { return m_messageBoxes; }
    // The live window of that template, or null.
    MemoryDialogWindow* FindWindow(int templateId) const;
    // The window of that template created last, live or destroyed, or null.
    MemoryDialogWindow* LastCreated(int templateId) const;
    int CreatedCount(int templateId) const;
    int LoadIconCalls() const { return m_loadIconCalls; }
    // The resource id of a handle from LoadIcon, or 0.
    int IconResourceId(NativeHandle icon) const;

    // For MemoryDialogWindow.
    int ShowMessageBox(NativeHandle owner, const char* text, const char* caption, unsigned style);
    void DestroyWindowsOwnedBy(MemoryDialogWindow& owner);

private:
    MemoryDialogWindow* Open(Dialog& dialog, int templateId, Dialog* parent, bool modal);

    std::map<int, MemoryTemplate> m_templates;
    std::map<int, std::unique_ptr<int>> m_icons;
    std::map<int, int> m_metrics;
    std::string m_applicationName = "Calvorn";
    std::deque<int> m_answers;
    std::vector<MessageBoxCall> m_messageBoxes;
    std::vector<std::unique_ptr<MemoryDialogWindow>> m_windows;
    int m_loadIconCalls = 0;
};
