#include "platform/win32/Win32Registry.h"

#include <windows.h>

long Win32Registry::OpenKey(const char* path, RegistryKey* key) {
    HKEY opened = nullptr;
    // Driver installers are 32-bit and register in the 32-bit view; reading that view from every
    // build lets the x64 program list the same drivers as the x86 one.
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_32KEY, &opened);
    if (result == ERROR_SUCCESS) *key = opened;
    return result;
}

long Win32Registry::EnumValue(RegistryKey key, std::uint32_t index, char* name,
                              std::uint32_t* nameLength, unsigned char* data,
                              std::uint32_t* dataSize) {
    DWORD nameChars = *nameLength;
    DWORD dataBytes = *dataSize;
    LONG result = RegEnumValueA(static_cast<HKEY>(key), index, name, &nameChars, nullptr, nullptr,
                                data, &dataBytes);
    *nameLength = nameChars;
    *dataSize = dataBytes;
    return result;
}

void Win32Registry::CloseKey(RegistryKey key) { RegCloseKey(static_cast<HKEY>(key)); }
