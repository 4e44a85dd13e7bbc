#include "Polling.h"

#include <windows.h>

bool WaitUntil(const std::function<bool()>& ready, unsigned boundMilliseconds) {
    const ULONGLONG end = GetTickCount64() + boundMilliseconds;
    for (;;) {
        if (ready()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}
