// The numbers that the platform-free framework headers copy from windows.h, checked against it:
// a wrong copy does not build. Nothing here runs.
#include "framework/win32/Win32Api.h"

#include <commctrl.h>

#include "framework/WindowTypes.h"

namespace {
template <typename Copy, typename Original>
constexpr bool Same(Copy copy, Original original) {
    return static_cast<long long>(copy) == static_cast<long long>(original);
}
}  // namespace

// Window messages.
static_assert(Same(kWmClose, WM_CLOSE));
static_assert(Same(kWmQueryEndSession, WM_QUERYENDSESSION));
static_assert(Same(kWmSetRedraw, WM_SETREDRAW));
static_assert(Same(kWmSetText, WM_SETTEXT));
static_assert(Same(kWmPaint, WM_PAINT));
static_assert(Same(kWmIconEraseBkgnd, WM_ICONERASEBKGND));
static_assert(Same(kWmQueryDragIcon, WM_QUERYDRAGICON));
static_assert(Same(kWmSetIcon, WM_SETICON));
static_assert(Same(kWmKeyDown, WM_KEYDOWN));
static_assert(Same(kWmVKeyToItem, WM_VKEYTOITEM));
static_assert(Same(kWmContextMenu, WM_CONTEXTMENU));
static_assert(Same(kWmInitDialog, WM_INITDIALOG));
static_assert(Same(kWmCommand, WM_COMMAND));
static_assert(Same(kWmSysCommand, WM_SYSCOMMAND));

static_assert(Same(kScMask, 0xFFF0));  // the low four bits are the system's own, SC_* says
static_assert(Same(kScClose, SC_CLOSE));

// Command identifiers and message box answers.
static_assert(Same(kIdOk, IDOK));
static_assert(Same(kIdCancel, IDCANCEL));
static_assert(Same(kIdYes, IDYES));
static_assert(Same(kIdNo, IDNO));

// Message box styles.
static_assert(Same(kMbOk, MB_OK));
static_assert(Same(kMbYesNo, MB_YESNO));
static_assert(Same(kMbIconError, MB_ICONERROR));
static_assert(Same(kMbIconQuestion, MB_ICONQUESTION));
static_assert(Same(kMbIconInformation, MB_ICONINFORMATION));
static_assert(Same(kMbDefButton2, MB_DEFBUTTON2));

// WM_SETICON sizes, system metrics, virtual keys.
static_assert(Same(kIconSmall, ICON_SMALL));
static_assert(Same(kIconBig, ICON_BIG));
static_assert(Same(kSmCxIcon, SM_CXICON));
static_assert(Same(kSmCyIcon, SM_CYICON));
static_assert(Same(kVkDelete, VK_DELETE));
static_assert(Same(kVkF5, VK_F5));
static_assert(Same(kVkControl, VK_CONTROL));
static_assert(Same(kVkShift, VK_SHIFT));
static_assert(Same(kVkMenu, VK_MENU));

// Window and dialog styles.
static_assert(Same(kWsChild, WS_CHILD));
static_assert(Same(kDsAbsAlign, DS_ABSALIGN));
static_assert(Same(kDsCenter, DS_CENTER));
static_assert(Same(kDsCenterMouse, DS_CENTERMOUSE));

// Button.
static_assert(Same(kBnClicked, BN_CLICKED));

// Combo box.
static_assert(Same(kCbAddString, CB_ADDSTRING));
static_assert(Same(kCbDeleteString, CB_DELETESTRING));
static_assert(Same(kCbGetCount, CB_GETCOUNT));
static_assert(Same(kCbGetCurSel, CB_GETCURSEL));
static_assert(Same(kCbGetLbText, CB_GETLBTEXT));
static_assert(Same(kCbGetLbTextLen, CB_GETLBTEXTLEN));
static_assert(Same(kCbResetContent, CB_RESETCONTENT));
static_assert(Same(kCbSetCurSel, CB_SETCURSEL));
static_assert(Same(kCbGetItemData, CB_GETITEMDATA));
static_assert(Same(kCbSetItemData, CB_SETITEMDATA));
static_assert(Same(kCbnSelChange, CBN_SELCHANGE));
static_assert(Same(kCbErr, CB_ERR));

// List box.
static_assert(Same(kLbAddString, LB_ADDSTRING));
static_assert(Same(kLbDeleteString, LB_DELETESTRING));
static_assert(Same(kLbResetContent, LB_RESETCONTENT));
static_assert(Same(kLbSetSel, LB_SETSEL));
static_assert(Same(kLbGetSel, LB_GETSEL));
static_assert(Same(kLbGetCurSel, LB_GETCURSEL));
static_assert(Same(kLbGetText, LB_GETTEXT));
static_assert(Same(kLbGetTextLen, LB_GETTEXTLEN));
static_assert(Same(kLbGetCount, LB_GETCOUNT));
static_assert(Same(kLbSetCaretIndex, LB_SETCARETINDEX));
static_assert(Same(kLbGetCaretIndex, LB_GETCARETINDEX));
static_assert(Same(kLbGetSelCount, LB_GETSELCOUNT));
static_assert(Same(kLbSetTabStops, LB_SETTABSTOPS));
static_assert(Same(kLbGetItemData, LB_GETITEMDATA));
static_assert(Same(kLbSetItemData, LB_SETITEMDATA));
static_assert(Same(kLbSetAnchorIndex, LB_SETANCHORINDEX));
static_assert(Same(kLbGetAnchorIndex, LB_GETANCHORINDEX));
static_assert(Same(kLbnSelChange, LBN_SELCHANGE));
static_assert(Same(kLbErr, LB_ERR));

// Progress bar.
static_assert(Same(kPbmSetRange, PBM_SETRANGE));
static_assert(Same(kPbmSetPos, PBM_SETPOS));
static_assert(Same(kPbmDeltaPos, PBM_DELTAPOS));
static_assert(Same(kPbmGetRange, PBM_GETRANGE));
static_assert(Same(kPbmGetPos, PBM_GETPOS));
