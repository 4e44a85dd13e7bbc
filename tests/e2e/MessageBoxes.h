#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A platform message box of the program, as it shows on screen.
struct ShownMessageBox {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    // "error", "question", "none" or "other", from the icon the box shows.
    std::string icon;
    // Identifiers of the visible buttons, in IDOK..IDNO order.
    std::vector<int> buttons;
};

// Waits for a message box of `processId` owned by `owner`; the result's window is null when
// none opens within the bound.
ShownMessageBox WaitForMessageBox(DWORD processId, HWND owner);
// The message boxes of `processId` that are open now.
std::vector<HWND> OpenMessageBoxes(DWORD processId);
// Presses one of the box's buttons and waits for the box to close.
bool Answer(const ShownMessageBox& box, int buttonId);
