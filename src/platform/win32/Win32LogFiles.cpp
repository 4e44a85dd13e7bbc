#include "platform/win32/Win32LogFiles.h"

#include <windows.h>

#include <cstdio>

std::string Win32LogFiles::Folder() {
    char temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length == 0 || length >= sizeof temporary) return {};
    std::string folder(temporary, length);
    if (folder.back() != '\\') folder += '\\';
    return folder + "Calvorn";
}

bool Win32LogFiles::CreateFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32LogFiles::CreateNewFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

void Win32LogFiles::RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

bool Win32LogFiles::IsEmptyFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file)) return false;
    return file.nFileSizeHigh == 0 && file.nFileSizeLow == 0;
}

std::string Win32LogFiles::LocalTimestamp() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return text;
}
