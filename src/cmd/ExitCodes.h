#pragma once

#include <vector>

// The exit codes deployment tools already read for msiexec.
constexpr int kExitSuccess = 0;
constexpr int kExitAccessDenied = 5;        // ERROR_ACCESS_DENIED
constexpr int kExitUsage = 87;              // ERROR_INVALID_PARAMETER
constexpr int kExitCancelled = 1602;        // ERROR_INSTALL_USEREXIT
constexpr int kExitFailed = 1603;           // ERROR_INSTALL_FAILURE
constexpr int kExitInstallerBusy = 1618;    // ERROR_INSTALL_ALREADY_RUNNING
constexpr int kExitRestartRequired = 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED

// The exit code of a run whose removals ended with these installer results, in any order:
// any failure wins over a restart, and a busy installer alone is told apart so that the tool
// tries again later. A run the user stopped is cancelled, whatever came before.
int ExitCodeOfRemovals(const std::vector<unsigned>& installerResults, bool stopped = false);
