#pragma once

#include <string>
#include <vector>

#include "framework/WindowTypes.h"

// What the in-memory backend makes of a dialog template: its position and its controls.
enum class MemoryControlKind { Button, Static, ListBox, ComboBox, ProgressBar };

struct MemoryControlSpec {
    int id;
    MemoryControlKind kind;
    // LBS_SORT / CBS_SORT.
    bool sorted = false;
    // WS_DISABLED.
    bool startsDisabled = false;
    // BS_DEFPUSHBUTTON: the button that Enter presses.
    bool isDefault = false;
};

struct MemoryTemplate {
    int x = 0;
    int y = 0;
    std::vector<MemoryControlSpec> controls;
    // Resource type 240 of the same id.
    std::vector<unsigned char> initialControlData;
};

// One message box as it was shown.
struct MessageBoxCall {
    std::string text;
    bool hasCaption;
    // The caption shown: the given one or the application's name.
    std::string caption;
    unsigned style;
    // The owner window's handle.
    NativeHandle owner;
    // Filled in once the box is answered; 0 while onMessageBox runs.
    int answer = 0;
};
