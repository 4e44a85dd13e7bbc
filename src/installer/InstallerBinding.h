#pragma once

#include <cstdint>
#include <string>

class WindowsInstaller;

enum class InstallerUiMode : std::int32_t { Full = 0, Reduced = 1, Silent = 2 };

// How one removal ended. The installer may remove a product and still need a restart to finish
// (3010, 1641): that is a removal all the same.
enum class RemovalOutcome { Removed, RemovedRestartRequired, Failed };

// Chooses how much installer user interface the later removals of this process show, and which
// window owns it. Throws std::runtime_error("Invalid UI Mode") for a mode outside the enum,
// before the installer is called.
void SetInstallerUiMode(WindowsInstaller& installer, InstallerUiMode mode, void* ownerWindow);

// Removes one installed product without restarting the machine. While another installation
// keeps the installer busy (1618), it is asked again every second, for up to 10 minutes.
RemovalOutcome RemoveProductWithOutcome(WindowsInstaller& installer,
                                        const std::string& productCode);
// The same as a failure flag: true when the removal FAILED, false when the product was removed
// (a restart may still be due).
bool RemoveProduct(WindowsInstaller& installer, const std::string& productCode);
