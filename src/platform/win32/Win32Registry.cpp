#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace {

// 32-bit Windows has one registry view, which both view flags name: there the 64-bit view is
// reported absent, so that the key is read once.
bool HasSeparate64BitView() {
    SYSTEM_INFO system = {};
    GetNativeSystemInfo(&system);
    return system.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_INTEL;
}

}  // namespace

Win32Registry::Win32Registry() : m_hasSeparate64BitView(HasSeparate64BitView()) {}

long Win32Registry::OpenKey(const char* path, RegistryView view, RegistryKey* key) {
    if (view == RegistryView::Bits64 && !m_hasSeparate64BitView) return ERROR_FILE_NOT_FOUND;
    const REGSAM viewFlag = view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | viewFlag, &opened);
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
