#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/ListBox.h"
#include "framework/ProgressCtrl.h"
#include "framework/win32/Win32Api.h"

// Private messages of the test dialog.
constexpr unsigned kWmStart = WM_APP + 1;
constexpr unsigned kWmPoke = WM_APP + 2;

// A dialog over the test templates. What it does is the test's: `onInit` runs at the end of
// OnInitDialog, `onStart` once the modal loop (or the owner's loop) runs, `onPoke` when it is
// sent kWmPoke.
class Win32TestDialog : public Dialog {
public:
    Win32TestDialog(WindowSystem& windowSystem, int templateId, Dialog* parent = nullptr)
        : Dialog(windowSystem, templateId, parent) {}

    HWND Hwnd() const { return static_cast<HWND>(GetSafeHandle()); }

    std::function<void()> onInit;
    std::function<void()> onStart;
    std::function<void()> onPoke;
    // Whether DoDataExchange binds the main template's controls.
    bool bindsControls = true;
    // Whether the WM_SETICON handler leaves the message to default processing.
    bool setIconCallsDefault = true;
    NativeHandle dragIcon = nullptr;

    // The list's and combo's texts as DoDataExchange found them.
    std::vector<std::string> listAtBind;
    std::vector<std::string> comboAtBind;

    Button button;
    ListBox list;
    ComboBox combo;
    ProgressCtrl progress;

protected:
    const MessageTable& GetMessageTable() const override;
    void DoDataExchange(DataExchange& exchange) override;
    bool OnInitDialog() override;

private:
    void OnStart();
    void OnPoke();
    void OnSetIcon();
    NativeHandle OnQueryDragIcon();

    static const MessageEntry kMessageEntries[];
    static const MessageTable kMessageTable;
};
