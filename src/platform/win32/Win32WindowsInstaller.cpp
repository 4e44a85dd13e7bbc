#include "platform/win32/Win32WindowsInstaller.h"

#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <atomic>
#include <string>

#include "installer/InstallerBinding.h"
#include "installer/SystemLibrary.h"
#include "platform/win32/EntryPoint.h"
#include "platform/win32/Win32LibraryLoader.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/WindowServing.h"

static_assert(kInstallerUnknownProduct == ERROR_UNKNOWN_PRODUCT);
static_assert(kInstallStateUnknown == INSTALLSTATE_UNKNOWN);
static_assert(kInstallerNoMoreItems == ERROR_NO_MORE_ITEMS);

namespace {

using SetInternalUiEntry = int(WINAPI*)(int level, HWND* ownerWindow);
using EnableLogEntry = UINT(WINAPI*)(DWORD logMode, LPCWSTR logFile, DWORD attributes);
using ConfigureProductExEntry = UINT(WINAPI*)(LPCSTR productCode, int installLevel,
                                              int installState, LPCSTR commandLine);
using QueryProductStateEntry = INSTALLSTATE(WINAPI*)(LPCSTR productCode);
using EnumProductsExEntry = UINT(WINAPI*)(LPCSTR productCode, LPCSTR userSid, DWORD context,
                                          DWORD index, LPSTR installedProductCode,
                                          MSIINSTALLCONTEXT* installedContext, LPSTR sid,
                                          LPDWORD sidLength);
using GetProductInfoEntry = UINT(WINAPI*)(LPCSTR productCode, LPCSTR property, LPSTR value,
                                          LPDWORD valueLength);
using RecordHandler = int(WINAPI*)(LPVOID context, UINT messageType, MSIHANDLE record);
using SetExternalUiRecordEntry = UINT(WINAPI*)(RecordHandler handler, DWORD messageFilter,
                                               LPVOID context, RecordHandler* previousHandler);
using RecordGetStringEntry = UINT(WINAPI*)(MSIHANDLE record, UINT field, LPSTR text,
                                           LPDWORD length);

// The messages that tell what a removal is doing and that can carry a cancel; the removal stays
// silent, as the handler leaves every message to the installer's own (silent) interface.
constexpr DWORD kWatchedMessages =
    INSTALLLOGMODE_ACTIONSTART | INSTALLLOGMODE_ACTIONDATA | INSTALLLOGMODE_PROGRESS;
constexpr UINT kMessageTypeMask = 0xFF000000u;
// The field of an action-start record that describes the action for people.
constexpr UINT kActionDescriptionField = 2;

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
    GetProductInfoEntry getProductInfo = nullptr;
    EnumProductsExEntry enumProductsEx = nullptr;
    SetExternalUiRecordEntry setExternalUiRecord = nullptr;
    RecordGetStringEntry recordGetString = nullptr;
    // Read on the worker thread while a removal runs.
    std::atomic<InstallerActions*> watcher{nullptr};
    // Set on the worker thread when a message of the removal under way was answered IDCANCEL.
    std::atomic<bool> cancelGiven{false};
    // What ConfigureProduct answers when the installer is unavailable.
    UINT unavailableResult = ERROR_INSTALL_SERVICE_FAILURE;

    std::string RecordText(MSIHANDLE record, UINT field) const {
        // The length goes in with room for the NUL and comes back without it.
        std::string text(256, '\0');
        DWORD length = static_cast<DWORD>(text.size());
        UINT result = recordGetString(record, field, &text[0], &length);
        if (result == ERROR_MORE_DATA) {
            text.assign(static_cast<std::size_t>(length) + 1, '\0');
            length = static_cast<DWORD>(text.size());
            result = recordGetString(record, field, &text[0], &length);
        }
        if (result != ERROR_SUCCESS || length >= text.size()) return {};
        text.resize(length);
        return text;
    }

    // The installer's thread: every watched message carries a requested cancel; the start of an
    // action is handed to the window's thread.
    static int WINAPI OnInstallerMessage(LPVOID context, UINT messageType, MSIHANDLE record) {
        auto& library = *static_cast<Library*>(context);
        if (library.worker.StopRequested()) {
            library.cancelGiven = true;
            return IDCANCEL;
        }
        if ((messageType & kMessageTypeMask) == INSTALLMESSAGE_ACTIONSTART &&
            library.watcher.load() != nullptr && library.recordGetString != nullptr) {
            library.worker.HandOver(library.RecordText(record, kActionDescriptionField));
        }
        return 0;
    }
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
    m_library->getProductInfo =
        ResolveEntryPoint<GetProductInfoEntry>(m_library->module, "MsiGetProductInfoA");
    m_library->enumProductsEx =
        ResolveEntryPoint<EnumProductsExEntry>(m_library->module, "MsiEnumProductsExA");
    m_library->setExternalUiRecord =
        ResolveEntryPoint<SetExternalUiRecordEntry>(m_library->module, "MsiSetExternalUIRecord");
    m_library->recordGetString =
        ResolveEntryPoint<RecordGetStringEntry>(m_library->module, "MsiRecordGetStringA");
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
    // UI level is the process's, so the call is as silent on the worker thread. The message
    // handler is set on the thread that calls the installer, where the installer calls it.
    Library& library = *m_library;
    library.cancelGiven = false;
    UINT result = ERROR_INSTALL_FAILURE;
    library.worker.Run(
        [&] {
            if (library.setExternalUiRecord != nullptr) {
                library.setExternalUiRecord(&Library::OnInstallerMessage, kWatchedMessages,
                                            &library, nullptr);
            }
            result =
                library.configureProductEx(productCode, installLevel, installState, commandLine);
            if (library.setExternalUiRecord != nullptr) {
                library.setExternalUiRecord(nullptr, 0, nullptr, nullptr);
            }
        },
        [&](const std::string& description) {
            if (InstallerActions* watcher = library.watcher.load()) {
                watcher->OnActionStart(description);
            }
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
    if (m_library->queryProductState == nullptr) return INSTALLSTATE_INVALIDARG;
    return m_library->queryProductState(productCode);
}

unsigned Win32WindowsInstaller::EnumProductsEx(const char* productCode) {
    if (m_library->enumProductsEx == nullptr) return ERROR_PROC_NOT_FOUND;
    // "s-1-1-0" (Everyone) stands for every user of the machine.
    return m_library->enumProductsEx(productCode, "s-1-1-0", MSIINSTALLCONTEXT_ALL, 0, nullptr,
                                     nullptr, nullptr, nullptr);
}

unsigned Win32WindowsInstaller::GetProductInfo(const char* productCode, const char* property,
                                               char* value, std::uint32_t* valueLength) {
    if (m_library->getProductInfo == nullptr) return ERROR_PROC_NOT_FOUND;
    DWORD length = *valueLength;
    const UINT result = m_library->getProductInfo(productCode, property, value, &length);
    *valueLength = length;
    return result;
}

void Win32WindowsInstaller::WaitBeforeRetry(unsigned milliseconds) {
    m_library->worker.Pause(milliseconds);
}

void Win32WindowsInstaller::WatchActions(InstallerActions* watcher) {
    m_library->watcher = watcher;
}

void Win32WindowsInstaller::RequestCancel() { m_library->worker.RequestStop(); }

bool Win32WindowsInstaller::CancelRequested() { return m_library->worker.StopRequested(); }

void Win32WindowsInstaller::ClearCancelRequest() { m_library->worker.ClearStopRequest(); }

bool Win32WindowsInstaller::CancelGiven() { return m_library->cancelGiven; }
