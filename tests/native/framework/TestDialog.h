#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/ListBox.h"
#include "framework/ProgressCtrl.h"
#include "framework/memory/MemoryWindowSystem.h"

// The test template: a default OK button, a plain button, a sorted list, a sorted combo box and
// a progress bar.
constexpr int kTestTemplate = 300;
constexpr int kOwnedTemplate = 301;
constexpr int kButtonId = 1010;
constexpr int kListId = 1011;
constexpr int kComboId = 1012;
constexpr int kProgressId = 1013;

MemoryTemplate TestTemplate(std::vector<unsigned char> initialControlData = {});

struct KeyDownCall {
    unsigned keyCode;
    unsigned repeatCount;
    unsigned keyFlags;
};

// A dialog whose handlers record what reached them; the test decides what they do besides.
class TestDialog : public Dialog {
public:
    explicit TestDialog(WindowSystem& windowSystem, int templateId = kTestTemplate,
                        Dialog* parent = nullptr)
        : Dialog(windowSystem, templateId, parent) {}

    std::vector<std::string> calls;
    std::vector<KeyDownCall> keyDowns;
    std::vector<WindowMessage> sysCommands;
    NativeHandle dragIcon = nullptr;
    bool initResult = true;
    bool paintCallsDefault = true;
    bool sysCommandCallsDefault = true;
    std::function<void()> onButton;
    // The list's and the combo's item counts as DoDataExchange found them.
    int listCountAtBind = -2;
    int comboCountAtBind = -2;

    Button button;
    ListBox list;
    ComboBox combo;
    ProgressCtrl progress;

    using Dialog::Default;

protected:
    const MessageTable& GetMessageTable() const override;
    void DoDataExchange(DataExchange& exchange) override;
    bool OnInitDialog() override;
    void OnOK() override;

    void OnButton();
    void OnListChange();
    void OnComboChange();
    void OnPaint();
    void OnKeyDown(unsigned keyCode, unsigned repeatCount, unsigned keyFlags);
    void OnSysCommand(unsigned commandId, LongParam lParam);
    NativeHandle OnQueryDragIcon();

    static const MessageTable kMessageTable;

private:
    static const MessageEntry kMessageEntries[];
};

// A class below TestDialog: its own entry for the button comes before the base's, and its own
// list handler for a notification code the base does not handle.
class DerivedTestDialog : public TestDialog {
public:
    using TestDialog::TestDialog;

protected:
    const MessageTable& GetMessageTable() const override;

private:
    void OnDerivedButton();
    void OnListDoubleClick();

    static const MessageEntry kMessageEntries[];
    static const MessageTable kMessageTable;
};
