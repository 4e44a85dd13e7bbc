#include "framework/win32/Win32WindowSystem.h"

// commctrl.h needs windows.h before it.
#include "framework/win32/Win32Api.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Dialog.h"
#include "framework/DialogTemplate.h"
#include "framework/win32/Win32DialogWindow.h"
#include "platform/win32/CommonControls.h"

namespace {
constexpr WORD kDialogTemplateType = 5;  // RT_DIALOG
// MFC's resource type for a template's initial control data (RT_DLGINIT).
constexpr WORD kInitialControlDataType = 240;

struct Resource {
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;
};

Resource FindResourceBytes(HMODULE module, int id, LPCSTR type) {
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!found) return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    if (!loaded) return {};
    return {static_cast<const unsigned char*>(::LockResource(loaded)),
            static_cast<std::size_t>(::SizeofResource(module, found))};
}

// The executable's file name without directory and extension. The path is taken in UTF-16
// and cut there, since a trail byte of a double-byte ANSI character may look like a backslash.
std::string ExecutableStem() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring stem = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = stem.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) stem.resize(dot);

    const int bytes =
        ::WideCharToMultiByte(CP_ACP, 0, stem.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, stem.c_str(), -1, &ansi[0], bytes, nullptr, nullptr);
    ansi.resize(static_cast<std::size_t>(bytes - 1));
    return ansi;
}
}  // namespace

Win32WindowSystem::Win32WindowSystem(NativeHandle module)
    : m_module(module), m_applicationName(ExecutableStem()) {
    // The templates use the common progress bar class.
    InitCommonControlClasses(ICC_PROGRESS_CLASS);
}

Win32WindowSystem::~Win32WindowSystem() {
    // Destroying a window releases its host, which changes m_modeless.
    std::vector<HWND> windows;
    for (const auto& host : m_modeless) windows.push_back(host->GetHwnd());
    for (HWND window : windows) {
        if (window && ::IsWindow(window)) ::DestroyWindow(window);
    }
    m_modeless.clear();
    m_released.clear();
}

int Win32WindowSystem::RunModal(Dialog& dialog, int templateId, Dialog* parent) {
    RethrowPending();
    DeleteReleasedHosts();

    HWND owner = parent ? static_cast<HWND>(parent->GetSafeHandle()) : nullptr;
    Win32DialogWindow host(*this, dialog, true, CentresOnWorkArea(templateId, owner != nullptr));
    m_modalRuns.push_back(&host);
    const INT_PTR result =
        ::DialogBoxParamA(static_cast<HINSTANCE>(m_module), MAKEINTRESOURCEA(templateId), owner,
                          &Win32DialogWindow::DialogProc, reinterpret_cast<LPARAM>(&host));
    m_modalRuns.pop_back();

    RethrowPending();
    return static_cast<int>(result);
}

bool Win32WindowSystem::CreateModeless(Dialog& dialog, int templateId, Dialog* parent) {
    RethrowPending();
    DeleteReleasedHosts();

    HWND owner = parent ? static_cast<HWND>(parent->GetSafeHandle()) : nullptr;
    m_modeless.push_back(std::make_unique<Win32DialogWindow>(
        *this, dialog, false, CentresOnWorkArea(templateId, owner != nullptr)));
    Win32DialogWindow& host = *m_modeless.back();
    HWND window =
        ::CreateDialogParamA(static_cast<HINSTANCE>(m_module), MAKEINTRESOURCEA(templateId), owner,
                             &Win32DialogWindow::DialogProc, reinterpret_cast<LPARAM>(&host));
    host.CreationDone();

    if (window && m_pending) ::DestroyWindow(window);
    // Without a window nothing else releases the host.
    if (!window) Release(host);
    RethrowPending();
    return window != nullptr;
}

std::vector<unsigned char> Win32WindowSystem::LoadInitialControlData(int templateId) {
    const Resource data = FindResourceBytes(static_cast<HMODULE>(m_module), templateId,
                                            MAKEINTRESOURCEA(kInitialControlDataType));
    if (!data.bytes) return {};
    return std::vector<unsigned char>(data.bytes, data.bytes + data.size);
}

NativeHandle Win32WindowSystem::LoadIcon(int resourceId) {
    return ::LoadIconA(static_cast<HINSTANCE>(m_module), MAKEINTRESOURCEA(resourceId));
}

int Win32WindowSystem::GetSystemMetric(int index) { return ::GetSystemMetrics(index); }

void Win32WindowSystem::Fail(std::exception_ptr error, Win32DialogWindow& source) {
    if (!m_pending) m_pending = error;
    if (!source.IsModal() && source.IsCreating()) return;
    if (source.IsModal()) source.EndDialog(-1);
    if (!m_modalRuns.empty() && m_modalRuns.back() != &source) m_modalRuns.back()->EndDialog(-1);
}

void Win32WindowSystem::Release(Win32DialogWindow& host) {
    const auto found = std::find_if(m_modeless.begin(), m_modeless.end(),
                                    [&host](const auto& owned) { return owned.get() == &host; });
    if (found == m_modeless.end()) return;
    m_released.push_back(std::move(*found));
    m_modeless.erase(found);
}

bool Win32WindowSystem::CentresOnWorkArea(int templateId, bool owned) const {
    const Resource bytes = FindResourceBytes(static_cast<HMODULE>(m_module), templateId,
                                             MAKEINTRESOURCEA(kDialogTemplateType));
    const auto header = ReadDialogTemplateHeader(bytes.bytes, bytes.size);
    return header && ::CentresOnWorkArea(*header, owned);
}

void Win32WindowSystem::RethrowPending() {
    std::exception_ptr error = m_pending;
    m_pending = nullptr;
    if (error) std::rethrow_exception(error);
}

void Win32WindowSystem::DeleteReleasedHosts() {
    m_released.erase(std::remove_if(m_released.begin(), m_released.end(),
                                    [](const auto& host) { return !host->IsReceiving(); }),
                     m_released.end());
}
