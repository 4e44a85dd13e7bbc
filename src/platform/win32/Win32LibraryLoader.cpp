#include "platform/win32/Win32LibraryLoader.h"

#include <windows.h>

bool Win32LibraryLoader::CanSearchSystemDirectoryOnly() {
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 != nullptr && GetProcAddress(kernel32, "AddDllDirectory") != nullptr;
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
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
