#include "cmd/Win32Console.h"

#include <windows.h>

#include "platform/win32/Win32Text.h"

void WriteToStandardHandle(unsigned long standardHandle, const std::string& text) {
    const HANDLE handle = GetStdHandle(standardHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
    DWORD mode = 0;
    // A console shows what WriteConsoleW gets whatever its code page; a file gets the bytes.
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = WideFromUtf8(text);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    const char* bytes = text.data();
    DWORD left = static_cast<DWORD>(text.size());
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes, left, &written, nullptr) || written == 0) return;
        bytes += written;
        left -= written;
    }
}
