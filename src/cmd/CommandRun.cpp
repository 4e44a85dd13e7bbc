#include "cmd/CommandRun.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "catalog/DriverCatalog.h"
#include "cmd/CommandSystem.h"
#include "cmd/ConsoleIvi.h"
#include "cmd/DriverListFile.h"
#include "cmd/ExitCodes.h"
#include "cmd/ListedDriver.h"
#include "cmd/ResultOutput.h"
#include "installer/InstallerBinding.h"
#include "installer/ProductInfo.h"
#include "installer/RemovalLogs.h"
#include "installer/WindowsInstaller.h"
#include "ivi/IviUsesText.h"

namespace {

// Room for a lab's drivers without a reallocation; any size works.
constexpr int kCatalogCapacity = 64;

// A selected driver: where it is in the catalog, and its texts in UTF-8.
struct SelectedDriver {
    int index;
    DriverRecord text;
};

std::vector<SelectedDriver> SelectDrivers(DriverCatalog& catalog, const DriverSelection& selection,
                                          CommandSystem& system) {
    try {
        catalog.Reload();
    } catch (const std::runtime_error&) {
        // A drivers key that opens in neither view holds no drivers.
    }
    std::vector<SelectedDriver> selected;
    for (int index = 0; index < catalog.Count(); ++index) {
        const DriverRecord& record = catalog.RecordAt(index);
        // Selected by the texts as printed, so that what a user copies from the list matches.
        DriverRecord text(system.Utf8FromCodePage(record.GetProductCode()).c_str(),
                          system.Utf8FromCodePage(record.GetName()).c_str(),
                          system.Utf8FromCodePage(record.GetClass()).c_str(),
                          system.Utf8FromCodePage(record.GetAde()).c_str(),
                          system.Utf8FromCodePage(record.GetManufacturer()).c_str());
        if (selection.all || IsSelected(text, selection)) selected.push_back({index, text});
    }
    return selected;
}

std::string ErrorText(int exitCode) {
    switch (exitCode) {
        case kExitCancelled:
            return "CalvornCmd: the removal was stopped.\n";
        case kExitRestartRequired:
            return "CalvornCmd: restart the computer to finish removing the drivers.\n";
        case kExitInstallerBusy:
            return "CalvornCmd: Windows Installer stayed busy with another installation; "
                   "try again later.\n";
        default:
            return "CalvornCmd: some drivers could not be removed.\n";
    }
}

// Ctrl+C or Ctrl+Break asked the run to stop: nothing further is printed or changed.
int Stopped(CommandSystem& system) {
    system.WriteError(ErrorText(kExitCancelled));
    return kExitCancelled;
}

int RunList(const CommandOptions& options, DriverCatalog& catalog, WindowsInstaller& installer,
            CommandSystem& system, ConsoleIvi& ivi) {
    std::vector<ListedDriver> drivers;
    for (SelectedDriver& driver : SelectDrivers(catalog, options.selection, system)) {
        if (installer.CancelRequested()) return Stopped(system);
        const char* productCode = catalog.RecordAt(driver.index).GetProductCode();
        ListedDriver listed =
            ListDriver(installer, std::move(driver.text), productCode,
                       [&](const char* text) { return system.Utf8FromCodePage(text); });
        listed.uses = ivi.UsesOf(productCode);
        drivers.push_back(std::move(listed));
    }
    if (installer.CancelRequested()) return Stopped(system);
    switch (options.format) {
        case ListFormat::Text:
            system.WriteOutput(FormatTextTable(drivers));
            break;
        case ListFormat::Csv:
            system.WriteOutput(FormatCsv(drivers));
            break;
        case ListFormat::Json:
            system.WriteOutput(FormatJson(drivers));
            break;
    }
    return kExitSuccess;
}

std::string DriverLine(const DriverRecord& text, const std::string& result) {
    return std::string(text.GetName()) + " " + text.GetProductCode() + ": " + result + "\n";
}

const char* OutcomeName(RemovalOutcome outcome) {
    switch (outcome) {
        case RemovalOutcome::Removed:
            return Outcome::kRemoved;
        case RemovalOutcome::RemovedRestartRequired:
            return Outcome::kRemovedRestartRequired;
        case RemovalOutcome::Cancelled:
            return Outcome::kCancelled;
        case RemovalOutcome::Failed:
            break;
    }
    return Outcome::kFailed;
}

std::string ResultText(unsigned installerResult, RemovalOutcome outcome, bool productGone,
                       const std::string& keptLog) {
    switch (outcome) {
        case RemovalOutcome::Removed:
            return "removed";
        case RemovalOutcome::RemovedRestartRequired:
            return "removed, restart needed";
        case RemovalOutcome::Cancelled:
            return "cancelled";
        case RemovalOutcome::Failed:
            break;
    }
    std::string text = "failed, Windows Installer result " + std::to_string(installerResult);
    if (productGone) text += " (not installed; 'CalvornCmd prune' deletes its registration)";
    if (!keptLog.empty()) text += ", log " + keptLog;
    return text;
}

// Said once when the logs' folder is refused: the removals still run, without logs.
std::string LogsNotKeptText(const RemovalLogs& logs) {
    const std::string& folder = logs.Folder();
    std::string why;
    switch (logs.Refusal()) {
        case LogFolderRefusal::None:
            return {};
        case LogFolderRefusal::NoTemporaryFolder:
            why = "there is no temporary folder";
            break;
        case LogFolderRefusal::Missing:
            why = folder + " cannot be created";
            break;
        case LogFolderRefusal::NotAFolder:
            why = folder + " is not a folder";
            break;
        case LogFolderRefusal::Redirection:
            why = folder + " is a junction, symbolic link or mount point";
            break;
        case LogFolderRefusal::NotOpened:
            why = folder + " cannot be opened";
            break;
    }
    return "CalvornCmd: installer logs are not kept: " + why + ".\n";
}

// The line of a driver that the IVI configuration uses and that is left alone for it.
std::string InUseResult(const CommandOptions& options, const IviUses& uses) {
    return std::string(options.dryRun ? "would not be removed" : "not removed") +
           ", the IVI configuration uses it (" + InUseText(uses) + ")";
}

int RunRemove(const CommandOptions& options, DriverCatalog& catalog, WindowsInstaller& installer,
              CommandSystem& system, ConsoleIvi& ivi) {
    // A dry run removes nothing, so anyone may ask what a removal would take.
    if (!options.dryRun && !system.IsAdministrator()) {
        system.WriteError(
            "CalvornCmd: removing drivers needs administrator rights; nothing was removed.\n");
        return kExitAccessDenied;
    }
    const std::vector<SelectedDriver> drivers = SelectDrivers(catalog, options.selection, system);
    std::vector<IviUses> uses;
    bool leftInUse = false;
    for (const SelectedDriver& driver : drivers) {
        uses.push_back(ivi.UsesOf(catalog.RecordAt(driver.index).GetProductCode()));
        leftInUse = leftInUse || (uses.back().InUse() && !options.evenIfUsed);
    }
    ResultOutput output(options.format, system);
    if (drivers.empty() || options.dryRun) {
        for (std::size_t i = 0; i < drivers.size(); ++i) {
            const bool left = uses[i].InUse() && !options.evenIfUsed;
            output.Add({drivers[i].text,
                        left ? Outcome::kWouldNotBeRemovedInUse : Outcome::kWouldBeRemoved,
                        {},
                        {}},
                       DriverLine(drivers[i].text,
                                  left ? InUseResult(options, uses[i]) : "would be removed"));
        }
        output.Finish("No driver matches.\n");
        return kExitSuccess;
    }

    SetInstallerUiMode(installer, InstallerUiMode::Silent, nullptr);
    RemovalLogs logs(installer, &system.InstallerLogFiles(), options.logDir);
    std::vector<unsigned> results;
    bool stopped = false;
    for (std::size_t i = 0; i < drivers.size(); ++i) {
        const SelectedDriver& driver = drivers[i];
        // Once the user stops the run, no further driver is touched.
        if (stopped || installer.CancelRequested()) {
            stopped = true;
            output.Add({driver.text, Outcome::kNotTried, {}, {}},
                       DriverLine(driver.text, "not tried"));
            continue;
        }
        if (uses[i].InUse() && !options.evenIfUsed) {
            output.Add({driver.text, Outcome::kNotRemovedInUse, {}, {}},
                       DriverLine(driver.text, InUseResult(options, uses[i])));
            continue;
        }
        const char* productCode = catalog.RecordAt(driver.index).GetProductCode();
        logs.Begin(productCode);
        const RemovalAnswer answer = RemoveProductWithAnswer(installer, productCode);
        const std::string log = logs.End(answer.outcome);
        stopped = answer.outcome == RemovalOutcome::Cancelled;
        results.push_back(answer.result);
        const bool gone = IsProductGone(installer, productCode, answer.result);
        std::string text = ResultText(answer.result, answer.outcome, gone, log);
        if (WasRemoved(answer.outcome)) {
            const IviUses held = ivi.StillHeld(uses[i].softwareModules);
            if (!held.Empty()) {
                text +=
                    "; the IVI configuration still refers to it (" + StillRefersText(held) + ")";
            }
        }
        output.Add({driver.text, OutcomeName(answer.outcome), answer.result, log},
                   DriverLine(driver.text, text));
    }
    output.Finish({});
    if (logs.Refusal() != LogFolderRefusal::None) system.WriteError(LogsNotKeptText(logs));
    int exitCode = ExitCodeOfRemovals(results, stopped);
    if (exitCode != kExitSuccess) system.WriteError(ErrorText(exitCode));
    // A stop does not hide that a driver removed before it needs a restart.
    const bool restartDue = std::any_of(results.begin(), results.end(), [](unsigned result) {
        return OutcomeOfRemoval(result) == RemovalOutcome::RemovedRestartRequired;
    });
    if (exitCode == kExitCancelled && restartDue) {
        system.WriteError(ErrorText(kExitRestartRequired));
    }
    if (leftInUse && exitCode != kExitCancelled) {
        system.WriteError(
            "CalvornCmd: drivers that the IVI configuration uses were not removed; "
            "--even-if-used removes them too.\n");
        exitCode = kExitFailed;
    }
    return exitCode;
}

// Deletes the registrations of the selected drivers whose product is gone, and never another's:
// a product the installer knows in any state, or that it cannot tell, keeps its value.
int RunPrune(const CommandOptions& options, DriverCatalog& catalog, WindowsInstaller& installer,
             CommandSystem& system) {
    if (!options.dryRun && !system.IsAdministrator()) {
        system.WriteError(
            "CalvornCmd: deleting registrations needs administrator rights; nothing was "
            "deleted.\n");
        return kExitAccessDenied;
    }
    std::vector<SelectedDriver> orphans;
    for (SelectedDriver& driver : SelectDrivers(catalog, options.selection, system)) {
        if (installer.CancelRequested()) return Stopped(system);
        if (IsProductGone(installer, catalog.RecordAt(driver.index).GetProductCode())) {
            orphans.push_back(std::move(driver));
        }
    }
    ResultOutput output(options.format, system);
    bool failed = false;
    for (const SelectedDriver& driver : orphans) {
        if (installer.CancelRequested()) {
            output.Finish({});
            return Stopped(system);
        }
        std::string result = "registration would be deleted";
        const char* outcome = Outcome::kWouldBeDeleted;
        if (!options.dryRun) {
            const bool deleted = catalog.DeleteRegistration(driver.index);
            failed = failed || !deleted;
            result = deleted ? "registration deleted" : "registration could not be deleted";
            outcome = deleted ? Outcome::kDeleted : Outcome::kNotDeleted;
        }
        output.Add({driver.text, outcome, {}, {}}, DriverLine(driver.text, result));
    }
    output.Finish("No matching driver is without its product.\n");
    if (!failed) return kExitSuccess;
    system.WriteError("CalvornCmd: some registrations could not be deleted.\n");
    return kExitFailed;
}

}  // namespace

int RunCommand(const CommandOptions& options, RegistryReader& registry, WindowsInstaller& installer,
               CommandSystem& system, IviSystem* ivi) {
    CommandOptions run = options;
    if (!LoadDriverList(run.selection, system)) return kExitUsage;
    DriverCatalog catalog(registry, installer, kDriversKeyPath, kCatalogCapacity);
    ConsoleIvi iviConfiguration(registry, ivi, system);
    if (run.command == CommandName::Remove) {
        return RunRemove(run, catalog, installer, system, iviConfiguration);
    }
    if (run.command == CommandName::Prune) return RunPrune(run, catalog, installer, system);
    return RunList(run, catalog, installer, system, iviConfiguration);
}
