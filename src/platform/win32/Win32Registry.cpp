#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "catalog/RegistryViews.h"
#include "platform/win32/EntryPoint.h"

namespace {

using IsWow64Process2Entry = BOOL(WINAPI*)(HANDLE process, USHORT* processMachine,
                                           USHORT* nativeMachine);

// GetNativeSystemInfo would not do: an x86 process emulated on ARM64 is told "x86" there.
ProcessMachine ThisProcessMachine() {
    ProcessMachine machine;
    machine.is64BitProcess = sizeof(void*) == 8;
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    const auto isWow64Process2 =
        ResolveEntryPoint<IsWow64Process2Entry>(kernel32, "IsWow64Process2");
    USHORT processMachine = 0;
    USHORT nativeMachine = 0;
    if (isWow64Process2 != nullptr &&
        isWow64Process2(GetCurrentProcess(), &processMachine, &nativeMachine)) {
        machine.knowsNativeMachine = true;
        machine.nativeMachine = nativeMachine;
    }
    BOOL wow64 = FALSE;
    machine.isWow64 = IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
    return machine;
}

}  // namespace

// 32-bit Windows has one registry view, which both view flags name: there the 64-bit view is
// reported absent, so that the key is read once.
Win32Registry::Win32Registry()
    : m_hasSeparate64BitView(HasSeparate64BitView(ThisProcessMachine())) {}

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

long Win32Registry::DeleteValue(const char* path, RegistryView view, const char* name) {
    if (view == RegistryView::Bits64 && !m_hasSeparate64BitView) return ERROR_FILE_NOT_FOUND;
    const REGSAM viewFlag = view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE | viewFlag, &opened);
    if (result != ERROR_SUCCESS) return result;
    result = RegDeleteValueA(opened, name);
    RegCloseKey(opened);
    return result;
}
