#include "cmd/ExitCodes.h"

#include "installer/InstallerBinding.h"

int ExitCodeOfRemovals(const std::vector<unsigned>& installerResults, bool stopped) {
    if (stopped) return kExitCancelled;
    bool restartRequired = false;
    bool busy = false;
    bool failed = false;
    for (unsigned result : installerResults) {
        switch (OutcomeOfRemoval(result)) {
            case RemovalOutcome::Removed:
                break;
            case RemovalOutcome::RemovedRestartRequired:
                restartRequired = true;
                break;
            case RemovalOutcome::Failed:
            case RemovalOutcome::Cancelled:
                (result == kInstallerBusy ? busy : failed) = true;
                break;
        }
    }
    if (failed) return kExitFailed;
    if (busy) return kExitInstallerBusy;
    if (restartRequired) return kExitRestartRequired;
    return kExitSuccess;
}
