#include "platform/win32/Win32LogFiles.h"

#include <windows.h>

#include <sddl.h>

#include <cstdio>
#include <vector>

#include "platform/win32/EntryPoint.h"
#include "platform/win32/Win32Text.h"

namespace {

using GetTempPath2Entry = DWORD(WINAPI*)(DWORD length, LPWSTR buffer);

// A handle held until the object goes. No handle of this program shares delete access.
class Win32HeldFile : public HeldFile {
public:
    explicit Win32HeldFile(HANDLE handle) : m_handle(handle) {}
    ~Win32HeldFile() override { CloseHandle(m_handle); }

    Win32HeldFile(const Win32HeldFile&) = delete;
    Win32HeldFile& operator=(const Win32HeldFile&) = delete;

    std::optional<FileKind> Kind() override {
        FILE_ATTRIBUTE_TAG_INFO info = {};
        if (!GetFileInformationByHandleEx(m_handle, FileAttributeTagInfo, &info, sizeof info)) {
            return std::nullopt;
        }
        return FileKind{(info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                        (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
    }
    bool IsEmpty() override {
        LARGE_INTEGER size = {};
        return GetFileSizeEx(m_handle, &size) && size.QuadPart == 0;
    }

private:
    HANDLE m_handle;
};

std::unique_ptr<HeldFile> Held(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32HeldFile>(handle);
}

// The temporary folder as one of the GetTempPath calls gives it; empty when it fails. Their
// longest answer is MAX_PATH + 1 characters.
std::string TemporaryFolder(GetTempPath2Entry call) {
    wchar_t folder[MAX_PATH + 2];
    const DWORD length = call(MAX_PATH + 2, folder);
    if (length == 0 || length > MAX_PATH + 1) return {};
    return Utf8FromWide(folder);
}

// This process's user as an SDDL SID; empty when it cannot be told.
std::wstring ProcessUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    wchar_t* text = nullptr;
    std::wstring sid;
    if (size != 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text)) {
        sid = text;
        LocalFree(text);
    }
    CloseHandle(token);
    return sid;
}

// Full control for SYSTEM and Administrators, read and list for the user, also on the logs
// made inside (OICI); protected (P), so nothing of the parent folder's DACL is inherited.
std::wstring RestrictedFolderSddl(const std::wstring& userSid) {
    return L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FR;;;" + userSid + L")";
}

}  // namespace

std::optional<std::string> Win32LogFiles::TempPath2() {
    // Windows 11, and Windows 10 from the update of March 2025; the headers are older.
    static const GetTempPath2Entry getTempPath2 =
        ResolveEntryPoint<GetTempPath2Entry>(GetModuleHandleW(L"kernel32.dll"), "GetTempPath2W");
    if (getTempPath2 == nullptr) return std::nullopt;
    return TemporaryFolder(getTempPath2);
}

std::string Win32LogFiles::TempPath() { return TemporaryFolder(GetTempPathW); }

std::string Win32LogFiles::FullPath(const std::string& path) {
    const std::wstring wide = WideFromUtf8(path);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::vector<wchar_t> full(size);
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return {};
    return Utf8FromWide(full.data());
}

bool Win32LogFiles::CreateFolder(const std::string& path, bool restricted) {
    const std::wstring wide = WideFromUtf8(path);
    if (!restricted) return CreateDirectoryW(wide.c_str(), nullptr) != FALSE;

    // Made with its DACL rather than given one afterwards, so that it is never open to others.
    const std::wstring user = ProcessUserSid();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (user.empty() ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(
            RestrictedFolderSddl(user).c_str(), SDDL_REVISION_1, &descriptor, nullptr)) {
        return false;
    }
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    const bool created = CreateDirectoryW(wide.c_str(), &attributes) != FALSE;
    LocalFree(descriptor);
    return created;
}

std::optional<FileKind> Win32LogFiles::KindOf(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return FileKind{(attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                    (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

std::unique_ptr<HeldFile> Win32LogFiles::HoldFolder(const std::string& path) {
    // Listing access, so that the sharing the handle allows holds for everyone else: a handle
    // with attribute access alone restricts nobody.
    return Held(CreateFileW(WideFromUtf8(path).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

std::unique_ptr<HeldFile> Win32LogFiles::CreateNewFile(const std::string& path) {
    // Data access keeps the sharing in force, as for the folder. Append rather than read: the
    // installer opens the file again by name to write to it, sharing write access only (its
    // client and service processes write one log), and Wine's shares nothing else.
    return Held(CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

void Win32LogFiles::RemoveFile(const std::string& path) { DeleteFileW(WideFromUtf8(path).c_str()); }

std::string Win32LogFiles::InCodePage(const std::string& path) { return AnsiFromUtf8(path); }

std::string Win32LogFiles::LocalTimestamp() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return text;
}
