#pragma once

#include <cstdint>
#include <string>

class WindowsInstaller;

enum class InstallerUiMode : std::int32_t { Full = 0, Reduced = 1, Silent = 2 };

// How one removal ended. The installer may remove a product and still need a restart to finish
// (3010, 1641): that is a removal all the same. A cancelled removal left the product as it was.
enum class RemovalOutcome { Removed, RemovedRestartRequired, Failed, Cancelled };

inline bool WasRemoved(RemovalOutcome outcome) {
    return outcome == RemovalOutcome::Removed || outcome == RemovalOutcome::RemovedRestartRequired;
}

// Chooses how much installer user interface the later removals of this process show, and which
// window owns it. Throws std::runtime_error("Invalid UI Mode") for a mode outside the enum,
// before the installer is called.
void SetInstallerUiMode(WindowsInstaller& installer, InstallerUiMode mode, void* ownerWindow);

// The installer's results that deployment tools read: a removal that still needs a restart
// (begun or not), and an installer kept busy by another installation past the wait.
constexpr unsigned kInstallerRestartRequired = 3010;   // ERROR_SUCCESS_REBOOT_REQUIRED
constexpr unsigned kInstallerRestartInitiated = 1641;  // ERROR_SUCCESS_REBOOT_INITIATED
constexpr unsigned kInstallerBusy = 1618;              // ERROR_INSTALL_ALREADY_RUNNING
// A removal of a product the installer has no record of.
constexpr unsigned kInstallerUnknownProduct = 1605;  // ERROR_UNKNOWN_PRODUCT
constexpr int kInstallStateUnknown = -1;             // INSTALLSTATE_UNKNOWN
constexpr unsigned kInstallerNoMoreItems = 259;      // ERROR_NO_MORE_ITEMS
constexpr unsigned kInstallerUserExit = 1602;        // ERROR_INSTALL_USEREXIT

// What one removal answered: the installer's final result, and what it means.
struct RemovalAnswer {
    unsigned result = 0;
    RemovalOutcome outcome = RemovalOutcome::Failed;
};

// Removes one installed product without restarting the machine. While another installation
// keeps the installer busy (1618), it is asked again every second, for up to 10 minutes; a cancel
// requested meanwhile ends the wait with 1602, as the installer ends a cancelled removal. The
// one place that tells what a removal's answer means, from the cancel it was actually given.
RemovalAnswer RemoveProductWithAnswer(WindowsInstaller& installer, const std::string& productCode);
// 1602 is a cancel only when the installer was told to cancel; its own 1602 (a package that gave
// up by itself, even as the user was asking to stop) is a failure like any other.
RemovalOutcome OutcomeOfRemoval(unsigned installerResult, bool cancelGiven = false);
// RemoveProductWithAnswer, told as an outcome.
RemovalOutcome RemoveProductWithOutcome(WindowsInstaller& installer,
                                        const std::string& productCode);
// The same as a failure flag: true when the product was NOT removed (failed or cancelled), false
// when it was (a restart may still be due).
bool RemoveProduct(WindowsInstaller& installer, const std::string& productCode);

// Whether `text` has a product code's form: a braced GUID, "{" 8-4-4-4-12 hexadecimal digits
// "}"; with `upperCaseOnly`, only as the installer itself writes one.
bool IsProductCodeForm(const std::string& text, bool upperCaseOnly = false);

// Whether Windows Installer has the product installed (for the machine or this user).
bool IsProductInstalled(WindowsInstaller& installer, const std::string& productCode);

// Whether a driver's product is gone, so that its registration may be deleted: its value name is
// a product code as the installer writes one ("{" 8-4-4-4-12 upper-case hexadecimal digits "}"),
// the installer does not know it at all, and it has no instance
// for any user in any context. Any answer the installer could not give counts as known: a
// registration is never deleted on a guess.
bool IsProductGone(WindowsInstaller& installer, const std::string& productCode);
// The same, after a removal of the product: only one that answered 1605 can have found it gone.
bool IsProductGone(WindowsInstaller& installer, const std::string& productCode,
                   unsigned removalResult);
