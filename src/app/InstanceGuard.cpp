#include "app/InstanceGuard.h"

const char kInstanceMutexName[] = "{5DE0E0D9-E821-43c5-A99D-E2980C2EEEC0}";

HANDLE g_instanceMutex = nullptr;
DWORD g_instanceMutexError = 0;

void SetUpInstanceGuard() {
    g_instanceMutex = CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    // Nothing may run between the two calls: any system call may overwrite the last error.
    g_instanceMutexError = GetLastError();
}

void ReleaseInstanceGuard() {
    if (g_instanceMutex != nullptr) {
        CloseHandle(g_instanceMutex);
        g_instanceMutex = nullptr;
    }
}
