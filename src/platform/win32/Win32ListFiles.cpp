#include "platform/win32/Win32ListFiles.h"

#include <windows.h>

#include "platform/win32/Win32Text.h"

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (IsOpen()) CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

}  // namespace

bool ReadListFile(const std::string& path, std::string& content) {
    const FileHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxListFileSize) {
        return false;
    }
    std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD done = 0;
    if (!read.empty() &&
        (!ReadFile(file.Get(), &read[0], static_cast<DWORD>(read.size()), &done, nullptr) ||
         done != read.size())) {
        return false;
    }
    content = std::move(read);
    return true;
}

bool WriteListFile(const std::string& path, const std::string& content) {
    // Opened without following a reparse point and without truncating, so that nothing is
    // changed before the file is known to be a plain file of one name.
    const FileHandle file(
        CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!file.IsOpen() || !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0 ||
        info.nNumberOfLinks > 1 || content.size() > kMaxListFileSize) {
        return false;
    }
    DWORD done = 0;
    return SetEndOfFile(file.Get()) &&
           WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &done,
                     nullptr) &&
           done == content.size();
}
