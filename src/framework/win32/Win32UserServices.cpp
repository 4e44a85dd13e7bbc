// What the program asks of the user's desktop beyond its own windows: the keyboard's state,
// shortcut menus, the clipboard, and the Save and Open dialogs.
#include "framework/win32/Win32WindowSystem.h"

#include "framework/win32/Win32Api.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Window.h"
#include "platform/win32/EntryPoint.h"
#include "platform/win32/Win32LibraryLoader.h"
#include "platform/win32/Win32ListFiles.h"
#include "platform/win32/Win32Text.h"

namespace {

using FileDialogEntry = BOOL(WINAPI*)(OPENFILENAMEW* dialog);
using ExtendedErrorEntry = DWORD(WINAPI*)();

// Room for the longest path the dialogs hand out.
constexpr DWORD kPathCapacity = 32768;

HWND OwnerOf(Dialog& owner) { return static_cast<HWND>(owner.GetSafeHandle()); }

// comdlg32 is loaded when a dialog is first asked for, from the system directory: the program
// imports nothing that is not a KnownDLL, so a DLL planted beside it never runs.
HMODULE CommonDialogs() {
    static const HMODULE module =
        static_cast<HMODULE>(Win32LibraryLoader().LoadFromSystemDirectory("comdlg32.dll"));
    return module;
}

FileChoice RunFileDialog(const char* entryName, Dialog& owner, DWORD flags,
                         const std::wstring& proposed, std::string& path) {
    const auto run = ResolveEntryPoint<FileDialogEntry>(CommonDialogs(), entryName);
    const auto extendedError =
        ResolveEntryPoint<ExtendedErrorEntry>(CommonDialogs(), "CommDlgExtendedError");
    if (!run || !extendedError) return FileChoice::Failed;
    std::vector<wchar_t> file(kPathCapacity, L'\0');
    proposed.copy(file.data(), std::min<std::size_t>(proposed.size(), kPathCapacity - 1));
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerOf(owner);
    dialog.lpstrFilter = L"*.csv\0*.csv\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = flags | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!run(&dialog)) return extendedError() == 0 ? FileChoice::Cancelled : FileChoice::Failed;
    path = Utf8FromWide(file.data());
    return FileChoice::Done;
}

}  // namespace

bool Win32WindowSystem::IsKeyDown(unsigned virtualKey) {
    return ::GetKeyState(static_cast<int>(virtualKey)) < 0;
}

int Win32WindowSystem::ShowShortcutMenu(Dialog& owner, Window& anchor, LongParam point,
                                        const std::vector<MenuItem>& items) {
    HMENU menu = ::CreatePopupMenu();
    if (!menu) return 0;
    for (const MenuItem& item : items) {
        const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
        ::AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.command),
                      WideFromUtf8(item.text).c_str());
    }
    // Shift+F10 and the menu key send (-1, -1): the menu opens at the control's corner.
    POINT at = {static_cast<short>(point & 0xFFFF), static_cast<short>((point >> 16) & 0xFFFF)};
    RECT frame = {};
    if (point == -1 && ::GetWindowRect(static_cast<HWND>(anchor.GetHandle()), &frame)) {
        at = {frame.left, frame.top};
    }
    const int chosen = static_cast<int>(
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x,
                         at.y, 0, OwnerOf(owner), nullptr));
    ::DestroyMenu(menu);
    return chosen;
}

bool Win32WindowSystem::CopyToClipboard(Dialog& owner, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* locked = ::GlobalLock(memory)) {
        std::memcpy(locked, wide.c_str(), bytes);
        ::GlobalUnlock(memory);
    }
    if (!::OpenClipboard(OwnerOf(owner))) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    // The clipboard owns the memory once it has taken it.
    const bool taken = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!taken) ::GlobalFree(memory);
    return taken;
}

FileChoice Win32WindowSystem::SaveCsvFileAs(Dialog& owner, const char* defaultName,
                                            const std::string& content, std::string& path) {
    const FileChoice choice = RunFileDialog("GetSaveFileNameW", owner, OFN_OVERWRITEPROMPT,
                                            WideFromUtf8(defaultName), path);
    if (choice != FileChoice::Done) return choice;
    return WriteListFile(path, content) ? FileChoice::Done : FileChoice::Failed;
}

FileChoice Win32WindowSystem::OpenCsvFile(Dialog& owner, std::string& path, std::string& content) {
    const FileChoice choice =
        RunFileDialog("GetOpenFileNameW", owner, OFN_FILEMUSTEXIST, std::wstring(), path);
    if (choice != FileChoice::Done) return choice;
    return ReadListFile(path, content) ? FileChoice::Done : FileChoice::Failed;
}

std::string Win32WindowSystem::Utf8FromWindowText(const char* text) { return Utf8FromAnsi(text); }
