#pragma once

#include <set>
#include <vector>

#include "UiDriver.h"
#include "framework/memory/MemoryWindowSystem.h"

// Drives the windows of the in-memory backend, whose templates describe the program's two
// dialogs as its resource script does.
class MemoryUiDriver : public UiDriver {
public:
    MemoryUiDriver();

    MemoryWindowSystem& Memory() { return m_system; }
    MemoryDialogWindow& ManagerWindow();
    MemoryControl& Control(int controlId);

    WindowSystem& System() override { return m_system; }
    void Watch(Dialog& manager) override { m_manager = &manager; }
    std::string ApplicationName() override { return "Calvorn"; }

    std::vector<std::string> Items(int controlId) override { return Control(controlId).Texts(); }
    LongParam ItemData(int controlId, int position) override;
    int ComboSelection(int controlId) override { return Control(controlId).CurSel(); }
    std::vector<int> SelectedLines() override;
    bool IsEnabled(int controlId) override { return Control(controlId).IsEnabled(); }
    bool IsManagerEnabled() override { return ManagerWindow().IsEnabled(); }
    RedrawSeen Redraw(int controlId) override {
        const MemoryControl& control = Control(controlId);
        return {control.IsRedrawing(), control.AddedWhileRedrawing(),
                control.RepaintedSinceChange()};
    }
    NativeHandle WindowIcon(bool big) override { return ManagerWindow().Icon(big); }
    NativeHandle QueryDragIcon() override;

    void ChooseFilterItem(int controlId, int position) override;
    void SelectLines(const std::vector<int>& lines) override;
    void FailSelectionCount() override;
    void Click(int controlId) override { ManagerWindow().Click(controlId); }
    void KeyDown(unsigned keyCode, unsigned repeatCount, unsigned keyFlags) override;

    void QueueMessageBoxAnswer(int answer) override { m_system.QueueMessageBoxAnswer(answer); }
    std::vector<MessageBoxSeen> MessageBoxes() override;

    ProgressSeen Progress() override;
    std::string ProgressText(int controlId) override;
    void ClickInProgress(int controlId) override;
    std::vector<ProgressSeen> ClosedProgress() override;

private:
    // Every removal ends with a box shown after its progress window has gone, so looking at
    // each box catches every closed progress window.
    void NoteClosedProgress();

    MemoryWindowSystem m_system;
    Dialog* m_manager = nullptr;
    std::set<const MemoryDialogWindow*> m_noted;
    std::vector<ProgressSeen> m_closed;
    std::vector<bool> m_boxDuringProgress;
    std::vector<bool> m_boxOwnedByProgress;
};

// The program's dialog templates as the in-memory backend takes them.
MemoryTemplate ManagerTemplate();
MemoryTemplate ProgressTemplate();
