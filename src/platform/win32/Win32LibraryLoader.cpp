#include "platform/win32/Win32LibraryLoader.h"

#include <windows.h>

#include "platform/win32/EntryPoint.h"

namespace {

// Newer than the Vista headers the program is built with.
using SetDefaultDllDirectoriesEntry = BOOL(WINAPI*)(DWORD directoryFlags);
using AddDllDirectoryEntry = void*(WINAPI*)(const wchar_t* directory);

template <typename Entry>
Entry KernelEntryPoint(const char* name) {
    return ResolveEntryPoint<Entry>(GetModuleHandleA("kernel32.dll"), name);
}

}  // namespace

bool Win32LibraryLoader::CanSearchSystemDirectoryOnly() {
    return KernelEntryPoint<AddDllDirectoryEntry>("AddDllDirectory") != nullptr;
}

void* Win32LibraryLoader::LoadFromSystemDirectory(const char* name) {
    return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

std::string Win32LibraryLoader::SystemDirectory() {
    char directory[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(directory, length);
}

void* Win32LibraryLoader::LoadFromPath(const char* path) {
    // Where the search flags exist, the DLL's folder and the system directory are all that is
    // searched for its dependencies; the older flag searches the DLL's folder first, then the
    // usual places, which the program's folder is not among for a DLL loaded by its path.
    const DWORD flags = CanSearchSystemDirectoryOnly()
                            ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                            : LOAD_WITH_ALTERED_SEARCH_PATH;
    return LoadLibraryExA(path, nullptr, flags);
}

bool Win32LibraryLoader::SearchSystemDirectoryOnlyFromNowOn() {
    const auto setDefaultDirectories =
        KernelEntryPoint<SetDefaultDllDirectoriesEntry>("SetDefaultDllDirectories");
    return setDefaultDirectories != nullptr &&
           setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

void Win32LibraryLoader::RemoveCurrentDirectoryFromSearch() { SetDllDirectoryW(L""); }
