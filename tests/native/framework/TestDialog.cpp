#include "TestDialog.h"

#include <iterator>

#include "framework/DataExchange.h"

namespace {
constexpr int kLbnDoubleClick = 2;
}  // namespace

MemoryTemplate TestTemplate(std::vector<unsigned char> initialControlData) {
    MemoryTemplate dialogTemplate;
    dialogTemplate.controls = {
        {kIdOk, MemoryControlKind::Button, false, false, true},
        {kButtonId, MemoryControlKind::Button},
        {kListId, MemoryControlKind::ListBox, true},
        {kComboId, MemoryControlKind::ComboBox, true},
        {kProgressId, MemoryControlKind::ProgressBar},
    };
    dialogTemplate.initialControlData = std::move(initialControlData);
    return dialogTemplate;
}

const MessageEntry TestDialog::kMessageEntries[] = {
    OnCommand<TestDialog, &TestDialog::OnButton>(kButtonId, kBnClicked),
    OnCommand<TestDialog, &TestDialog::OnListChange>(kListId, kLbnSelChange),
    OnCommand<TestDialog, &TestDialog::OnComboChange>(kComboId, kCbnSelChange),
    OnMessage<TestDialog, &TestDialog::OnPaint>(kWmPaint),
    OnKeyDownMessage<TestDialog, &TestDialog::OnKeyDown>(),
    OnSysCommandMessage<TestDialog, &TestDialog::OnSysCommand>(),
    OnQueryDragIconMessage<TestDialog, &TestDialog::OnQueryDragIcon>(),
};

const MessageTable TestDialog::kMessageTable = {&Dialog::kMessageTable, kMessageEntries,
                                                std::size(kMessageEntries)};

const MessageTable& TestDialog::GetMessageTable() const { return kMessageTable; }

void TestDialog::DoDataExchange(DataExchange& exchange) {
    calls.push_back("DoDataExchange");
    BindControl(exchange, kButtonId, button);
    BindControl(exchange, kListId, list);
    BindControl(exchange, kComboId, combo);
    BindControl(exchange, kProgressId, progress);
    listCountAtBind = list.GetCount();
    comboCountAtBind = combo.GetCount();
}

bool TestDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    calls.push_back("OnInitDialog");
    return initResult;
}

void TestDialog::OnOK() {
    calls.push_back("OnOK");
    Dialog::OnOK();
}

void TestDialog::OnButton() {
    calls.push_back("OnButton");
    if (onButton) onButton();
}

void TestDialog::OnListChange() { calls.push_back("OnListChange"); }

void TestDialog::OnComboChange() { calls.push_back("OnComboChange"); }

void TestDialog::OnPaint() {
    calls.push_back("OnPaint");
    if (paintCallsDefault) Default();
}

void TestDialog::OnKeyDown(unsigned keyCode, unsigned repeatCount, unsigned keyFlags) {
    keyDowns.push_back({keyCode, repeatCount, keyFlags});
}

void TestDialog::OnSysCommand(unsigned commandId, LongParam lParam) {
    sysCommands.push_back({kWmSysCommand, commandId, lParam});
    if (sysCommandCallsDefault) Default();
}

NativeHandle TestDialog::OnQueryDragIcon() { return dragIcon; }

const MessageEntry DerivedTestDialog::kMessageEntries[] = {
    OnCommand<DerivedTestDialog, &DerivedTestDialog::OnDerivedButton>(kButtonId, kBnClicked),
    OnCommand<DerivedTestDialog, &DerivedTestDialog::OnListDoubleClick>(kListId, kLbnDoubleClick),
};

const MessageTable DerivedTestDialog::kMessageTable = {&TestDialog::kMessageTable, kMessageEntries,
                                                       std::size(kMessageEntries)};

const MessageTable& DerivedTestDialog::GetMessageTable() const { return kMessageTable; }

void DerivedTestDialog::OnDerivedButton() { calls.push_back("OnDerivedButton"); }

void DerivedTestDialog::OnListDoubleClick() { calls.push_back("OnListDoubleClick"); }
