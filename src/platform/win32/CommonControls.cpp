#include "platform/win32/CommonControls.h"

// commctrl.h needs windows.h before it.
#include <windows.h>

#include <commctrl.h>

#include "installer/SystemLibrary.h"
#include "platform/win32/EntryPoint.h"
#include "platform/win32/Win32LibraryLoader.h"

namespace {
using InitCommonControlsExEntry = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX* classes);
}  // namespace

bool InitCommonControlClasses(unsigned long classes) {
    Win32LibraryLoader loader;
    // Kept loaded for the life of the process, as an import would be: its classes are in use
    // until the last window goes.
    const auto initCommonControlsEx = ResolveEntryPoint<InitCommonControlsExEntry>(
        static_cast<HMODULE>(LoadSystemLibrary(loader, "comctl32.dll")), "InitCommonControlsEx");
    if (initCommonControlsEx == nullptr) return false;
    const INITCOMMONCONTROLSEX registration = {sizeof registration, classes};
    return initCommonControlsEx(&registration) != FALSE;
}
