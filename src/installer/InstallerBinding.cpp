#include "installer/InstallerBinding.h"

#include <cstddef>
#include <stdexcept>

#include "installer/WindowsInstaller.h"

namespace {

constexpr int kUiLevelNone = 2;     // INSTALLUILEVEL_NONE
constexpr int kUiLevelReduced = 4;  // INSTALLUILEVEL_REDUCED
constexpr int kUiLevelFull = 5;     // INSTALLUILEVEL_FULL

constexpr int kInstallLevelDefault = 0;  // INSTALLLEVEL_DEFAULT
constexpr int kInstallStateAbsent = 2;   // INSTALLSTATE_ABSENT

// A driver whose removal needs a restart must not restart the machine under the user; the
// installer then removes it and answers 3010 (or 1641, where a restart was begun regardless).
// A silent removal would otherwise let the Restart Manager close every program that has one of
// the driver's files open (a test executive mid-measurement); disabled, a file in use is
// replaced at the next restart instead, and the installer answers 3010.
const char* const kRemoveCommandLine = "REBOOT=ReallySuppress MSIRESTARTMANAGERCONTROL=Disable";

constexpr unsigned kSuccess = 0;
constexpr int kInstallStateDefault = 5;  // INSTALLSTATE_DEFAULT

// Windows Update or another installer can hold Windows Installer for minutes; one driver waits
// up to 10 minutes for it, asking again every second.
constexpr unsigned kBusyRetryMilliseconds = 1000;
constexpr int kBusyRetries = 600;

}  // namespace

bool IsProductCodeForm(const std::string& text, bool upperCaseOnly) {
    static const char kForm[] = "{HHHHHHHH-HHHH-HHHH-HHHH-HHHHHHHHHHHH}";
    if (text.size() != sizeof kForm - 1) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') ||
                         (!upperCaseOnly && c >= 'a' && c <= 'f');
        if (kForm[i] == 'H' ? !hex : c != kForm[i]) return false;
    }
    return true;
}

void SetInstallerUiMode(WindowsInstaller& installer, InstallerUiMode mode, void* ownerWindow) {
    int level = 0;
    switch (mode) {
        case InstallerUiMode::Full:
            level = kUiLevelFull;
            break;
        case InstallerUiMode::Reduced:
            level = kUiLevelReduced;
            break;
        case InstallerUiMode::Silent:
            level = kUiLevelNone;
            break;
        default:
            throw std::runtime_error("Invalid UI Mode");
    }
    // The installer writes the previous owner back through the pointer; that is dropped here.
    void* owner = ownerWindow;
    installer.SetInternalUi(level, &owner);
}

RemovalAnswer RemoveProductWithAnswer(WindowsInstaller& installer, const std::string& productCode) {
    unsigned result = kInstallerBusy;
    for (int attempt = 0; result == kInstallerBusy && attempt <= kBusyRetries; ++attempt) {
        if (attempt > 0) installer.WaitBeforeRetry(kBusyRetryMilliseconds);
        if (attempt > 0 && installer.CancelRequested()) {
            return {kInstallerUserExit, RemovalOutcome::Cancelled};
        }
        result = installer.ConfigureProduct(productCode.c_str(), kInstallLevelDefault,
                                            kInstallStateAbsent, kRemoveCommandLine);
    }
    return {result, OutcomeOfRemoval(result, installer.CancelGiven())};
}

RemovalOutcome OutcomeOfRemoval(unsigned installerResult, bool cancelGiven) {
    switch (installerResult) {
        case kSuccess:
            return RemovalOutcome::Removed;
        case kInstallerRestartRequired:
        case kInstallerRestartInitiated:
            return RemovalOutcome::RemovedRestartRequired;
        case kInstallerUserExit:
            return cancelGiven ? RemovalOutcome::Cancelled : RemovalOutcome::Failed;
        default:
            return RemovalOutcome::Failed;
    }
}

RemovalOutcome RemoveProductWithOutcome(WindowsInstaller& installer,
                                        const std::string& productCode) {
    return RemoveProductWithAnswer(installer, productCode).outcome;
}

bool RemoveProduct(WindowsInstaller& installer, const std::string& productCode) {
    return !WasRemoved(RemoveProductWithOutcome(installer, productCode));
}

bool IsProductInstalled(WindowsInstaller& installer, const std::string& productCode) {
    return installer.QueryProductState(productCode.c_str()) == kInstallStateDefault;
}

bool IsProductGone(WindowsInstaller& installer, const std::string& productCode) {
    // The state covers the machine and this user only; the enumeration covers every user.
    return IsProductCodeForm(productCode, true) &&
           installer.QueryProductState(productCode.c_str()) == kInstallStateUnknown &&
           installer.EnumProductsEx(productCode.c_str()) == kInstallerNoMoreItems;
}

bool IsProductGone(WindowsInstaller& installer, const std::string& productCode,
                   unsigned removalResult) {
    return removalResult == kInstallerUnknownProduct && IsProductGone(installer, productCode);
}
