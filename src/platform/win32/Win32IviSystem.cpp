#include "platform/win32/Win32IviSystem.h"

#include <windows.h>

#include <msi.h>

#include <cwctype>

#include "installer/SystemLibrary.h"
#include "platform/win32/EntryPoint.h"
#include "platform/win32/Win32LibraryLoader.h"
#include "platform/win32/Win32Text.h"

namespace {

using EnumComponentsEntry = UINT(WINAPI*)(DWORD index, LPWSTR component);
using EnumClientsEntry = UINT(WINAPI*)(LPCWSTR component, DWORD index, LPWSTR product);
using GetComponentPathEntry = INSTALLSTATE(WINAPI*)(LPCWSTR product, LPCWSTR component, LPWSTR path,
                                                    LPDWORD length);

// A GUID in braces and its NUL.
constexpr DWORD kGuidLength = 39;

struct Msi {
    EnumComponentsEntry enumComponents = nullptr;
    EnumClientsEntry enumClients = nullptr;
    GetComponentPathEntry getComponentPath = nullptr;
};

const Msi& MsiEntries() {
    static const Msi msi = [] {
        Win32LibraryLoader loader;
        const auto module = static_cast<HMODULE>(LoadSystemLibrary(loader, "msi.dll"));
        Msi entries;
        entries.enumComponents =
            ResolveEntryPoint<EnumComponentsEntry>(module, "MsiEnumComponentsW");
        entries.enumClients = ResolveEntryPoint<EnumClientsEntry>(module, "MsiEnumClientsW");
        entries.getComponentPath =
            ResolveEntryPoint<GetComponentPathEntry>(module, "MsiGetComponentPathW");
        return entries;
    }();
    return msi;
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

}  // namespace

IviSystem::FileReading Win32IviSystem::ReadFile(const std::string& path, std::size_t limit,
                                                std::string* bytes) {
    // Others may go on writing or replace the file meanwhile; what was read is judged as a whole.
    FileHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileReading::Missing
                                                                              : FileReading::Failed;
    }
    // A pipe or a device could feed bytes without end.
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) return FileReading::Failed;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return FileReading::Failed;
    if (static_cast<unsigned long long>(size.QuadPart) > limit) return FileReading::TooLarge;
    // The file may grow after its size was taken: one byte beyond the limit tells.
    std::string content(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (filled > limit) return FileReading::TooLarge;
            content.resize(filled + 4096 < limit + 1 ? filled + 4096 : limit + 1);
        }
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(
            content.size() - filled < 0x10000000 ? content.size() - filled : 0x10000000);
        if (!::ReadFile(file.Get(), &content[filled], wanted, &read, nullptr)) {
            return FileReading::Failed;
        }
        if (read == 0) break;
        filled += read;
    }
    if (filled > limit) return FileReading::TooLarge;
    content.resize(filled);
    *bytes = std::move(content);
    return FileReading::Read;
}

void Win32IviSystem::CollectComponents() {
    m_collected = true;
    const Msi& msi = MsiEntries();
    if (!msi.enumComponents || !msi.enumClients) return;
    wchar_t component[kGuidLength];
    for (DWORD i = 0; msi.enumComponents(i, component) == ERROR_SUCCESS; ++i) {
        wchar_t product[kGuidLength];
        for (DWORD j = 0; msi.enumClients(component, j, product) == ERROR_SUCCESS; ++j) {
            m_components[Upper(product)].push_back(component);
        }
    }
}

std::vector<std::string> Win32IviSystem::ProductFiles(const char* productCode) {
    if (!m_collected) CollectComponents();
    std::vector<std::string> files;
    const Msi& msi = MsiEntries();
    const auto found = m_components.find(Upper(WideFromUtf8(Utf8FromAnsi(productCode))));
    if (found == m_components.end() || !msi.getComponentPath) return files;
    const std::wstring product = WideFromUtf8(Utf8FromAnsi(productCode));
    for (const std::wstring& component : found->second) {
        std::wstring path(MAX_PATH, L'\0');
        DWORD length = static_cast<DWORD>(path.size());
        INSTALLSTATE state =
            msi.getComponentPath(product.c_str(), component.c_str(), &path[0], &length);
        if (state == INSTALLSTATE_MOREDATA) {
            path.assign(length + 1, L'\0');
            length = static_cast<DWORD>(path.size());
            state = msi.getComponentPath(product.c_str(), component.c_str(), &path[0], &length);
        }
        if ((state == INSTALLSTATE_LOCAL || state == INSTALLSTATE_SOURCE) && length < path.size()) {
            path.resize(length);
            files.push_back(Utf8FromWide(path.c_str()));
        }
    }
    return files;
}

void Win32IviSystem::ForgetProducts() {
    m_collected = false;
    m_components.clear();
}

bool Win32IviSystem::SamePath(const std::string& first, const std::string& second) {
    return CompareStringOrdinal(WideFromUtf8(first).c_str(), -1, WideFromUtf8(second).c_str(), -1,
                                TRUE) == CSTR_EQUAL;
}

std::string Win32IviSystem::Utf8FromCodePage(const std::string& text) {
    return Utf8FromAnsi(text.c_str());
}

std::string Win32IviSystem::CodePageFromUtf8(const std::string& text) { return AnsiFromUtf8(text); }
