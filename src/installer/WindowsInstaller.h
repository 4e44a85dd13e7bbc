#pragma once

#include <cstdint>
#include <string>

// What the installer tells of the removal under way.
class InstallerActions {
public:
    virtual ~InstallerActions() = default;

    // An action of the installer began; `description` is its text for people ("Removing
    // files"), empty when the action has none.
    virtual void OnActionStart(const std::string& description) = 0;
};

// The Windows Installer (msi.dll) calls the installer binding makes, and the pause it takes
// while another installation holds the installer.
class WindowsInstaller {
public:
    virtual ~WindowsInstaller() = default;

    // MsiSetInternalUI: sets the user-interface level of this process's later installer actions.
    // `ownerWindow` points to a variable holding the owner window's handle; the installer may
    // write the previous owner into it. Returns the previous level.
    virtual int SetInternalUi(int level, void** ownerWindow) = 0;

    // MsiConfigureProductExA: sets the install state of an installed product. Returns 0 on
    // success and the installer's error code otherwise (3010 and 1641: done, restart required;
    // 1618: another installation is in progress, nothing was done; 1602: cancelled). This
    // thread's windows are served meanwhile: they repaint and answer sent messages, the enabled
    // ones take keyboard and mouse input, and posted commands wait.
    virtual unsigned ConfigureProduct(const char* productCode, int installLevel, int installState,
                                      const char* commandLine) = 0;

    // MsiEnableLogW: writes the log of this process's later installer actions to `logFile`
    // (UTF-8, so that any folder's name will do) with `logMode` (INSTALLLOGMODE_* flags) and
    // `attributes` (INSTALLLOGATTRIBUTES_*); a null file stops logging. Returns 0, or the
    // installer's error code for a mode it does not know.
    virtual unsigned EnableLog(unsigned logMode, const char* logFile, unsigned attributes) = 0;

    // MsiQueryProductStateA: the product's install state, 5 (INSTALLSTATE_DEFAULT) when it is
    // installed for the machine or this user; -1 (INSTALLSTATE_UNKNOWN) only when the installer
    // itself says it does not know the product. When the installer is unavailable, -2
    // (INSTALLSTATE_INVALIDARG): no answer, so nothing is taken for gone.
    virtual int QueryProductState(const char* productCode) = 0;

    // MsiEnumProductsExA for `productCode` in every context (MSIINSTALLCONTEXT_ALL) of every user
    // (user SID "s-1-1-0"), asked for the first instance: 0 when there is one, 259
    // (ERROR_NO_MORE_ITEMS) when there is none; any other result is an error, 127
    // (ERROR_PROC_NOT_FOUND) when the installer has no such call.
    virtual unsigned EnumProductsEx(const char* productCode) = 0;

    // MsiGetProductInfoA: the installed product's `property` (VersionString, InstallDate, ...).
    // In: *valueLength is the capacity of `value` in characters including the NUL. Returns 0 with
    // the NUL-terminated text in `value` and its length without the NUL in *valueLength; 234
    // (ERROR_MORE_DATA) when it does not fit, with the length it needs without the NUL in
    // *valueLength and `value` holding nothing usable; any other result (1605 for a product the
    // installer does not know, 1608 for a property it does not have) is an error.
    virtual unsigned GetProductInfo(const char* productCode, const char* property, char* value,
                                    std::uint32_t* valueLength) = 0;

    // Lets `milliseconds` pass before a busy installer is asked again, or less once a cancel is
    // requested. This thread's windows are served meanwhile as in ConfigureProduct.
    virtual void WaitBeforeRetry(unsigned milliseconds) = 0;

    // From now on the actions of every removal are told to `watcher` (to nobody when null), on
    // the thread that called ConfigureProduct and from inside that call.
    virtual void WatchActions(InstallerActions* watcher) = 0;
    // From any thread: the removal under way is asked to stop. The installer's next message is
    // answered IDCANCEL, so that it rolls the product back and answers 1602; a removal that
    // ends before that answers as it would have. Holds until ClearCancelRequest.
    virtual void RequestCancel() = 0;
    virtual bool CancelRequested() = 0;
    virtual void ClearCancelRequest() = 0;
    // Whether the last ConfigureProduct answered one of the installer's messages IDCANCEL: the
    // installer was told to cancel that removal, whether or not it heeded it.
    virtual bool CancelGiven() = 0;
};
