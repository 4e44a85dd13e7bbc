#include "platform/win32/Win32WindowsInstaller.h"

#include <windows.h>

#include <msi.h>

#include "installer/SystemLibrary.h"
#include "platform/win32/EntryPoint.h"
#include "platform/win32/Win32LibraryLoader.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/WindowServing.h"

namespace {

using SetInternalUiEntry = int(WINAPI*)(int level, HWND* ownerWindow);
using EnableLogEntry = UINT(WINAPI*)(DWORD logMode, LPCWSTR logFile, DWORD attributes);
using ConfigureProductExEntry = UINT(WINAPI*)(LPCSTR productCode, int installLevel,
                                              int installState, LPCSTR commandLine);
using QueryProductStateEntry = INSTALLSTATE(WINAPI*)(LPCSTR productCode);

Win32LibraryLoader& SystemLoader() {
    static Win32LibraryLoader loader;
    return loader;
}

}  // namespace

struct Win32WindowsInstaller::Library {
    HMODULE module = nullptr;
    SetInternalUiEntry setInternalUi = nullptr;
    ConfigureProductExEntry configureProductEx = nullptr;
    EnableLogEntry enableLog = nullptr;
    ServingWorker worker;
    QueryProductStateEntry queryProductState = nullptr;
    // What ConfigureProduct answers when the installer is unavailable.
    UINT unavailableResult = ERROR_INSTALL_SERVICE_FAILURE;
};

Win32WindowsInstaller::Win32WindowsInstaller() : Win32WindowsInstaller("msi.dll") {}

Win32WindowsInstaller::Win32WindowsInstaller(const char* libraryName)
    : Win32WindowsInstaller(SystemLoader(), libraryName) {}

Win32WindowsInstaller::Win32WindowsInstaller(LibraryLoader& loader, const char* libraryName)
    : m_library(new Library) {
    m_library->module = static_cast<HMODULE>(LoadSystemLibrary(loader, libraryName));
    if (m_library->module == nullptr) {
        DWORD error = GetLastError();
        m_library->unavailableResult = error != ERROR_SUCCESS ? error : ERROR_MOD_NOT_FOUND;
        return;
    }
    m_library->setInternalUi =
        ResolveEntryPoint<SetInternalUiEntry>(m_library->module, "MsiSetInternalUI");
    // A removal at the installer's default UI level could show its windows: without the call
    // that makes it silent, nothing is removed at all.
    if (m_library->setInternalUi != nullptr) {
        m_library->configureProductEx =
            ResolveEntryPoint<ConfigureProductExEntry>(m_library->module, "MsiConfigureProductExA");
    }
    if (m_library->configureProductEx == nullptr)
        m_library->unavailableResult = ERROR_PROC_NOT_FOUND;
    m_library->enableLog = ResolveEntryPoint<EnableLogEntry>(m_library->module, "MsiEnableLogW");
    m_library->queryProductState =
        ResolveEntryPoint<QueryProductStateEntry>(m_library->module, "MsiQueryProductStateA");
}

Win32WindowsInstaller::~Win32WindowsInstaller() {
    m_library->worker.Stop();
    if (m_library->module != nullptr) FreeLibrary(m_library->module);
}

int Win32WindowsInstaller::SetInternalUi(int level, void** ownerWindow) {
    if (m_library->setInternalUi == nullptr) return 0;
    return m_library->setInternalUi(level, reinterpret_cast<HWND*>(ownerWindow));
}

unsigned Win32WindowsInstaller::ConfigureProduct(const char* productCode, int installLevel,
                                                 int installState, const char* commandLine) {
    if (m_library->configureProductEx == nullptr) return m_library->unavailableResult;
    // A removal takes seconds to minutes, and a window whose thread takes no message for 5
    // seconds is ghosted as not responding, with an offer to end the program mid-removal. The
    // UI level is the process's, so the call is as silent on the worker thread.
    UINT result = ERROR_INSTALL_FAILURE;
    m_library->worker.Run([&] {
        result =
            m_library->configureProductEx(productCode, installLevel, installState, commandLine);
    });
    return result;
}

unsigned Win32WindowsInstaller::EnableLog(unsigned logMode, const char* logFile,
                                          unsigned attributes) {
    if (m_library->enableLog == nullptr) return ERROR_PROC_NOT_FOUND;
    if (logFile == nullptr) return m_library->enableLog(logMode, nullptr, attributes);
    return m_library->enableLog(logMode, WideFromUtf8(logFile).c_str(), attributes);
}

int Win32WindowsInstaller::QueryProductState(const char* productCode) {
    if (m_library->queryProductState == nullptr) return INSTALLSTATE_UNKNOWN;
    return m_library->queryProductState(productCode);
}

void Win32WindowsInstaller::WaitBeforeRetry(unsigned milliseconds) {
    ServeWindowsFor(milliseconds);
}
