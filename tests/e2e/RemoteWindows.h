#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Reading and finding the windows of another process, as an outside user of the window system.
// Texts cross the process boundary as UTF-16 (the W messages are marshalled in full; the A forms
// may come back truncated) and are returned as UTF-8.

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int controlId);
std::vector<std::string> ListBoxLines(HWND list);
std::vector<int> ListBoxSelection(HWND list);
std::vector<std::string> ComboBoxItems(HWND combo);
// The selected item's text; empty when none is selected.
std::string ComboBoxSelection(HWND combo);

// Visible top-level windows of `processId` with this exact caption.
std::vector<HWND> TopLevelWindows(DWORD processId, const std::string& caption);
// Every visible top-level window of `processId`.
std::vector<HWND> TopLevelWindows(DWORD processId);
