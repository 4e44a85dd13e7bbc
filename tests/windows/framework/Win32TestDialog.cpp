#include "Win32TestDialog.h"

#include <iterator>

#include "FrameworkTestResources.h"
#include "framework/DataExchange.h"

namespace {
std::vector<std::string> Texts(HWND control, UINT countMessage, UINT textMessage) {
    std::vector<std::string> texts;
    const auto count = ::SendMessageA(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        ::SendMessageA(control, textMessage, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}
}  // namespace

const MessageEntry Win32TestDialog::kMessageEntries[] = {
    OnMessage<Win32TestDialog, &Win32TestDialog::OnStart>(kWmStart),
    OnMessage<Win32TestDialog, &Win32TestDialog::OnPoke>(kWmPoke),
    OnMessage<Win32TestDialog, &Win32TestDialog::OnSetIcon>(WM_SETICON),
    OnQueryDragIconMessage<Win32TestDialog, &Win32TestDialog::OnQueryDragIcon>(),
};

const MessageTable Win32TestDialog::kMessageTable = {&Dialog::kMessageTable, kMessageEntries,
                                                     std::size(kMessageEntries)};

const MessageTable& Win32TestDialog::GetMessageTable() const { return kMessageTable; }

void Win32TestDialog::DoDataExchange(DataExchange& exchange) {
    if (!bindsControls) return;
    BindControl(exchange, IDC_TEST_BUTTON, button);
    BindControl(exchange, IDC_TEST_LIST, list);
    BindControl(exchange, IDC_TEST_COMBO, combo);
    BindControl(exchange, IDC_TEST_PROGRESS, progress);
    listAtBind = Texts(static_cast<HWND>(list.GetSafeHandle()), LB_GETCOUNT, LB_GETTEXT);
    comboAtBind = Texts(static_cast<HWND>(combo.GetSafeHandle()), CB_GETCOUNT, CB_GETLBTEXT);
}

bool Win32TestDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    if (onInit) onInit();
    ::PostMessageA(Hwnd(), kWmStart, 0, 0);
    return true;
}

void Win32TestDialog::OnStart() {
    if (onStart) onStart();
}

void Win32TestDialog::OnPoke() {
    if (onPoke) onPoke();
}

void Win32TestDialog::OnSetIcon() {
    if (setIconCallsDefault) Default();
}

NativeHandle Win32TestDialog::OnQueryDragIcon() { return dragIcon; }
