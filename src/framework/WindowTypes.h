#pragma once

#include <cstdint>

// The framework's view of the window system's types, so that dialog logic compiles without
// windows.h. The numbers are the platform's own.
using WordParam = std::uintptr_t;
using LongParam = std::intptr_t;
using MessageResult = std::intptr_t;
// HWND, HICON or HDC on Win32; an object's address in the in-memory backend.
using NativeHandle = void*;

struct ClientRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Window messages.
constexpr unsigned kWmSetRedraw = 0x000B;
constexpr unsigned kWmSetText = 0x000C;
constexpr unsigned kWmClose = 0x0010;
constexpr unsigned kWmQueryEndSession = 0x0011;
constexpr unsigned kWmPaint = 0x000F;
constexpr unsigned kWmIconEraseBkgnd = 0x0027;
constexpr unsigned kWmQueryDragIcon = 0x0037;
constexpr unsigned kWmSetIcon = 0x0080;
constexpr unsigned kWmKeyDown = 0x0100;
constexpr unsigned kWmVKeyToItem = 0x002E;
constexpr unsigned kWmContextMenu = 0x007B;
constexpr unsigned kWmInitDialog = 0x0110;
constexpr unsigned kWmCommand = 0x0111;
constexpr unsigned kWmSysCommand = 0x0112;

// WM_SYSCOMMAND: the mask of the system's own commands, and closing.
constexpr unsigned kScMask = 0xFFF0;
constexpr unsigned kScClose = 0xF060;

// Command identifiers and message box answers.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Message box styles.
constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbYesNo = 0x04;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr unsigned kMbDefButton2 = 0x100;

// WM_SETICON sizes, system metrics, virtual keys.
constexpr WordParam kIconSmall = 0;
constexpr WordParam kIconBig = 1;
constexpr int kSmCxIcon = 11;
constexpr int kSmCyIcon = 12;
constexpr unsigned kVkDelete = 0x2E;
constexpr unsigned kVkF5 = 0x74;
constexpr unsigned kVkControl = 0x11;
constexpr unsigned kVkShift = 0x10;
constexpr unsigned kVkMenu = 0x12;

// Window and dialog styles that decide where a dialog goes.
constexpr std::uint32_t kWsChild = 0x40000000u;
constexpr std::uint32_t kDsAbsAlign = 0x0001u;
constexpr std::uint32_t kDsCenter = 0x0800u;
constexpr std::uint32_t kDsCenterMouse = 0x1000u;

// Button.
constexpr int kBnClicked = 0;

// Combo box.
constexpr unsigned kCbAddString = 0x0143;
constexpr unsigned kCbDeleteString = 0x0144;
constexpr unsigned kCbGetCount = 0x0146;
constexpr unsigned kCbGetCurSel = 0x0147;
constexpr unsigned kCbGetLbText = 0x0148;
constexpr unsigned kCbGetLbTextLen = 0x0149;
constexpr unsigned kCbResetContent = 0x014B;
constexpr unsigned kCbSetCurSel = 0x014E;
constexpr unsigned kCbGetItemData = 0x0150;
constexpr unsigned kCbSetItemData = 0x0151;
constexpr int kCbnSelChange = 1;
constexpr MessageResult kCbErr = -1;

// List box.
constexpr unsigned kLbAddString = 0x0180;
constexpr unsigned kLbDeleteString = 0x0182;
constexpr unsigned kLbResetContent = 0x0184;
constexpr unsigned kLbSetSel = 0x0185;
constexpr unsigned kLbGetSel = 0x0187;
constexpr unsigned kLbGetCurSel = 0x0188;
constexpr unsigned kLbGetText = 0x0189;
constexpr unsigned kLbGetTextLen = 0x018A;
constexpr unsigned kLbGetCount = 0x018B;
constexpr unsigned kLbSetCaretIndex = 0x019E;
constexpr unsigned kLbGetCaretIndex = 0x019F;
constexpr unsigned kLbGetSelCount = 0x0190;
constexpr unsigned kLbSetTabStops = 0x0192;
constexpr unsigned kLbGetItemData = 0x0199;
constexpr unsigned kLbSetItemData = 0x019A;
constexpr unsigned kLbSetAnchorIndex = 0x019C;
constexpr unsigned kLbGetAnchorIndex = 0x019D;
constexpr int kLbnSelChange = 1;
// Answers to WM_VKEYTOITEM: the list's own action for the key, or none.
constexpr MessageResult kVKeyDefault = -1;
constexpr MessageResult kVKeyHandled = -2;
constexpr MessageResult kLbErr = -1;

// Progress bar.
constexpr unsigned kPbmSetRange = 0x0401;
constexpr unsigned kPbmSetPos = 0x0402;
constexpr unsigned kPbmDeltaPos = 0x0403;
constexpr unsigned kPbmGetRange = 0x0407;
constexpr unsigned kPbmGetPos = 0x0408;

constexpr WordParam MakeWordParam(unsigned low, unsigned high) {
    return static_cast<WordParam>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}
constexpr LongParam MakeLongParam(unsigned low, unsigned high) {
    return static_cast<LongParam>(
        static_cast<std::int32_t>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16)));
}
