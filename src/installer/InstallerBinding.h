#pragma once

#include <cstdint>
#include <string>

class WindowsInstaller;

enum class InstallerUiMode : std::int32_t { Full = 0, Reduced = 1, Silent = 2 };

// Chooses how much installer user interface the later removals of this process show, and which
// window owns it. Throws std::runtime_error("Invalid UI Mode") for a mode outside the enum,
// before the installer is called.
void SetInstallerUiMode(WindowsInstaller& installer, InstallerUiMode mode, void* ownerWindow);

// Removes one installed product without restarting the machine. Returns true when the removal
// FAILED (any installer result but 0, 3010 included), false when the product was removed.
bool RemoveProduct(WindowsInstaller& installer, const std::string& productCode);
