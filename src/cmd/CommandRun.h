#pragma once

#include "cmd/CommandOptions.h"

class CommandSystem;
class IviSystem;
class RegistryReader;
class WindowsInstaller;

// Runs `list`, `remove` or `prune` over the drivers key and returns the process's exit code. Every
// nonzero code comes with a line on the error stream that says why. Without `ivi` the IVI
// configuration is not read, and no driver is taken for used.
int RunCommand(const CommandOptions& options, RegistryReader& registry, WindowsInstaller& installer,
               CommandSystem& system, IviSystem* ivi = nullptr);
