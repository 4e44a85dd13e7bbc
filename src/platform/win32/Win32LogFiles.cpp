#include "platform/win32/Win32LogFiles.h"

#include <windows.h>

#include <sddl.h>

#include <cstdio>
#include <vector>

#include "platform/win32/EntryPoint.h"
#include "platform/win32/Win32Text.h"

namespace {

using GetTempPath2Entry = DWORD(WINAPI*)(DWORD length, LPWSTR buffer);

// What an open handle says the file or folder is.
std::optional<FileKind> KindOnHandle(HANDLE handle) {
    FILE_ATTRIBUTE_TAG_INFO info = {};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info)) {
        return std::nullopt;
    }
    return FileKind{(info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                    (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

// Marks what `handle` holds for deletion once its last handle closes; the handle needs DELETE
// access.
bool MarkForDeletion(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

// A folder held until the object goes, with DELETE access where it may be removed.
class Win32HeldFolder : public HeldFile {
public:
    explicit Win32HeldFolder(HANDLE handle) : m_handle(handle) {}
    ~Win32HeldFolder() override { CloseHandle(m_handle); }

    Win32HeldFolder(const Win32HeldFolder&) = delete;
    Win32HeldFolder& operator=(const Win32HeldFolder&) = delete;

    std::optional<FileKind> Kind() override { return KindOnHandle(m_handle); }
    bool IsEmpty() override { return false; }
    // Refused while anything is inside.
    bool Remove() override { return MarkForDeletion(m_handle); }

private:
    HANDLE m_handle;
};

// A log held while the installer writes to it. The installer opens it by name sharing write
// access only, so no handle with DELETE access may be open meanwhile; the write handle shares no
// delete, so that nobody can delete or rename it. Beside it a keeper handle to the same file,
// which shares everything and asks for nothing sharing governs: once the write handle is gone,
// the keeper reopens the file with DELETE access, never its name.
class Win32HeldLog : public HeldFile {
public:
    Win32HeldLog(HANDLE write, HANDLE keeper) : m_write(write), m_keeper(keeper) {}
    ~Win32HeldLog() override {
        CloseWrite();
        CloseHandle(m_keeper);
    }

    Win32HeldLog(const Win32HeldLog&) = delete;
    Win32HeldLog& operator=(const Win32HeldLog&) = delete;

    std::optional<FileKind> Kind() override { return KindOnHandle(m_keeper); }
    bool IsEmpty() override {
        LARGE_INTEGER size = {};
        return GetFileSizeEx(m_keeper, &size) && size.QuadPart == 0;
    }
    bool Remove() override {
        CloseWrite();
        const HANDLE deleter =
            ReOpenFile(m_keeper, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
        if (deleter == INVALID_HANDLE_VALUE) return false;
        const bool marked = MarkForDeletion(deleter);
        CloseHandle(deleter);
        return marked;
    }

private:
    void CloseWrite() {
        if (m_write != INVALID_HANDLE_VALUE) CloseHandle(m_write);
        m_write = INVALID_HANDLE_VALUE;
    }

    HANDLE m_write;
    HANDLE m_keeper;
};

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

std::unique_ptr<HeldFile> Win32LogFiles::HoldFolder(const std::string& path, bool removable) {
    // Listing access, so that the sharing the handle allows holds for everyone else: a handle
    // with attribute access alone restricts nobody. Without write sharing nobody can make the
    // folder a mount point; the logs inside are made and written by their own names all the same.
    const HANDLE folder = CreateFileW(
        WideFromUtf8(path).c_str(),
        FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | (removable ? DELETE : 0), FILE_SHARE_READ,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32HeldFolder>(folder);
}

std::unique_ptr<HeldFile> Win32LogFiles::CreateNewFile(const std::string& path) {
    // Data access keeps the sharing in force, as for the folder. Append rather than read: the
    // installer opens the file again by name to write to it, sharing write access only (its
    // client and service processes write one log), and Wine's shares nothing else.
    const HANDLE write =
        CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (write == INVALID_HANDLE_VALUE) return nullptr;
    const HANDLE keeper = ReOpenFile(write, FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    // Without a keeper the log could not be removed without its name: no log then, only the
    // empty file made (ReOpenFile has been there since Vista; this is not expected).
    if (keeper == INVALID_HANDLE_VALUE) {
        CloseHandle(write);
        return nullptr;
    }
    return std::make_unique<Win32HeldLog>(write, keeper);
}

std::string Win32LogFiles::InCodePage(const std::string& path) { return AnsiFromUtf8(path); }

std::string Win32LogFiles::LocalTimestamp() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return text;
}
