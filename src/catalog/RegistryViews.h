#pragma once

#include <cstdint>

// What a process can learn of the system it runs on that tells whether the registry keeps a
// 64-bit view apart from the 32-bit one (it does on every 64-bit Windows).
struct ProcessMachine {
    bool is64BitProcess = false;
    // IsWow64Process2 (Windows 10 1709 and later): whether it answered, and the system's own
    // machine (IMAGE_FILE_MACHINE_*).
    bool knowsNativeMachine = false;
    std::uint16_t nativeMachine = 0;
    // IsWow64Process: a 32-bit process under WOW64. False for an x86 process emulated on ARM64,
    // which is why the native machine is asked first.
    bool isWow64 = false;
};

bool HasSeparate64BitView(const ProcessMachine& machine);
