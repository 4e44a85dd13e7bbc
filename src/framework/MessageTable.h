#pragma once

#include <cstddef>

#include "framework/WindowTypes.h"

class Dialog;

struct WindowMessage {
    unsigned message;
    WordParam wParam;
    LongParam lParam;
};

// Calls one typed handler of a dialog class; made by the entry builders below.
using MessageHandler = MessageResult (*)(Dialog& dialog, const WindowMessage& message);

// One row of a message table: a message, or for WM_COMMAND a (control id, notification code),
// compared with the low and high words of the command's word parameter.
struct MessageEntry {
    unsigned message;
    int controlId;
    int notifyCode;
    MessageHandler handler;
};

// The static table of one dialog class; rows are tried in order, then the base class's table.
struct MessageTable {
    const MessageTable* base;
    const MessageEntry* entries;
    std::size_t count;
};

namespace message_table_detail {
template <class T, void (T::*Handler)()>
MessageResult CallVoid(Dialog& dialog, const WindowMessage&) {
    (static_cast<T&>(dialog).*Handler)();
    return 0;
}

// WM_KEYDOWN: key code, repeat count (low word of lParam), key flags (high word of lParam).
template <class T, void (T::*Handler)(unsigned, unsigned, unsigned)>
MessageResult CallKeyDown(Dialog& dialog, const WindowMessage& message) {
    const auto lParam = static_cast<std::uint32_t>(message.lParam);
    (static_cast<T&>(dialog).*Handler)(static_cast<unsigned>(message.wParam), lParam & 0xFFFFu,
                                       (lParam >> 16) & 0xFFFFu);
    return 0;
}

// WM_VKEYTOITEM: key code (low word of wParam); the handler's answer goes back to the list.
template <class T, MessageResult (T::*Handler)(unsigned)>
MessageResult CallVKeyToItem(Dialog& dialog, const WindowMessage& message) {
    return (static_cast<T&>(dialog).*Handler)(static_cast<unsigned>(message.wParam & 0xFFFFu));
}

// WM_CONTEXTMENU: the window clicked (wParam) and the screen point (lParam).
template <class T, void (T::*Handler)(NativeHandle, LongParam)>
MessageResult CallContextMenu(Dialog& dialog, const WindowMessage& message) {
    (static_cast<T&>(dialog).*Handler)(reinterpret_cast<NativeHandle>(message.wParam),
                                       message.lParam);
    return 0;
}

template <class T, void (T::*Handler)(unsigned, LongParam)>
MessageResult CallSysCommand(Dialog& dialog, const WindowMessage& message) {
    (static_cast<T&>(dialog).*Handler)(static_cast<unsigned>(message.wParam), message.lParam);
    return 0;
}

// WM_INITDIALOG: the handler's answer (whether the window system sets the focus) is the result.
template <class T, bool (T::*Handler)()>
MessageResult CallReturningBool(Dialog& dialog, const WindowMessage&) {
    return (static_cast<T&>(dialog).*Handler)() ? 1 : 0;
}

template <class T, NativeHandle (T::*Handler)()>
MessageResult CallReturningHandle(Dialog& dialog, const WindowMessage&) {
    return reinterpret_cast<MessageResult>((static_cast<T&>(dialog).*Handler)());
}
}  // namespace message_table_detail

// WM_COMMAND from control `id` with notification `code`: void Handler().
template <class T, void (T::*Handler)()>
constexpr MessageEntry OnCommand(int id, int code) {
    return {kWmCommand, id, code, &message_table_detail::CallVoid<T, Handler>};
}

// A message without arguments that the handler uses (WM_PAINT): void Handler().
template <class T, void (T::*Handler)()>
constexpr MessageEntry OnMessage(unsigned message) {
    return {message, 0, 0, &message_table_detail::CallVoid<T, Handler>};
}

// WM_KEYDOWN: void Handler(unsigned keyCode, unsigned repeatCount, unsigned keyFlags).
template <class T, void (T::*Handler)(unsigned, unsigned, unsigned)>
constexpr MessageEntry OnKeyDownMessage() {
    return {kWmKeyDown, 0, 0, &message_table_detail::CallKeyDown<T, Handler>};
}

// WM_VKEYTOITEM from a list with LBS_WANTKEYBOARDINPUT, which has the focus:
// MessageResult Handler(unsigned keyCode), kVKeyDefault or kVKeyHandled.
template <class T, MessageResult (T::*Handler)(unsigned)>
constexpr MessageEntry OnVKeyToItemMessage() {
    return {kWmVKeyToItem, 0, 0, &message_table_detail::CallVKeyToItem<T, Handler>};
}

// WM_CONTEXTMENU: void Handler(NativeHandle window, LongParam screenPoint).
template <class T, void (T::*Handler)(NativeHandle, LongParam)>
constexpr MessageEntry OnContextMenuMessage() {
    return {kWmContextMenu, 0, 0, &message_table_detail::CallContextMenu<T, Handler>};
}

// WM_SYSCOMMAND: void Handler(unsigned commandId, LongParam lParam).
template <class T, void (T::*Handler)(unsigned, LongParam)>
constexpr MessageEntry OnSysCommandMessage() {
    return {kWmSysCommand, 0, 0, &message_table_detail::CallSysCommand<T, Handler>};
}

// WM_QUERYDRAGICON: NativeHandle Handler(), the icon.
template <class T, NativeHandle (T::*Handler)()>
constexpr MessageEntry OnQueryDragIconMessage() {
    return {kWmQueryDragIcon, 0, 0, &message_table_detail::CallReturningHandle<T, Handler>};
}

// WM_INITDIALOG: bool Handler(), true to let the window system set the focus.
template <class T, bool (T::*Handler)()>
constexpr MessageEntry OnInitDialogMessage() {
    return {kWmInitDialog, 0, 0, &message_table_detail::CallReturningBool<T, Handler>};
}
