#include "installer/InstallerBinding.h"

#include <stdexcept>

#include "installer/WindowsInstaller.h"

namespace {

constexpr int kUiLevelNone = 2;     // INSTALLUILEVEL_NONE
constexpr int kUiLevelReduced = 4;  // INSTALLUILEVEL_REDUCED
constexpr int kUiLevelFull = 5;     // INSTALLUILEVEL_FULL

constexpr int kInstallLevelDefault = 0;  // INSTALLLEVEL_DEFAULT
constexpr int kInstallStateAbsent = 2;   // INSTALLSTATE_ABSENT

// A driver whose removal needs a restart must not restart the machine under the user; the
// installer then answers 3010, which counts as failure like every other nonzero result.
const char* const kRemoveCommandLine = "REBOOT=ReallySuppress";

}  // namespace

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

bool RemoveProduct(WindowsInstaller& installer, const std::string& productCode) {
    return installer.ConfigureProduct(productCode.c_str(), kInstallLevelDefault,
                                      kInstallStateAbsent, kRemoveCommandLine) != 0;
}
