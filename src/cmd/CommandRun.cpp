#include "cmd/CommandRun.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "catalog/DriverCatalog.h"
#include "cmd/CommandSystem.h"
#include "cmd/DriverListFile.h"
#include "cmd/ExitCodes.h"
#include "cmd/ListedDriver.h"
#include "cmd/ResultOutput.h"
#include "installer/InstallerBinding.h"
#include "installer/ProductInfo.h"
#include "installer/RemovalLogs.h"
#include "installer/WindowsInstaller.h"

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

int RunList(const CommandOptions& options, DriverCatalog& catalog, WindowsInstaller& installer,
            CommandSystem& system) {
    std::vector<ListedDriver> drivers;
    for (SelectedDriver& driver : SelectDrivers(catalog, options.selection, system)) {
        drivers.push_back(ListDriver(
            installer, std::move(driver.text), catalog.RecordAt(driver.index).GetProductCode(),
            [&](const char* text) { return system.Utf8FromCodePage(text); }));
    }
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

int RunRemove(const CommandOptions& options, DriverCatalog& catalog, WindowsInstaller& installer,
              CommandSystem& system) {
    // A dry run removes nothing, so anyone may ask what a removal would take.
    if (!options.dryRun && !system.IsAdministrator()) {
        system.WriteError(
            "CalvornCmd: removing drivers needs administrator rights; nothing was removed.\n");
        return kExitAccessDenied;
    }
    const std::vector<SelectedDriver> drivers = SelectDrivers(catalog, options.selection, system);
    ResultOutput output(options.format, system);
    if (drivers.empty() || options.dryRun) {
        for (const SelectedDriver& driver : drivers) {
            output.Add({driver.text, Outcome::kWouldBeRemoved, {}, {}},
                       DriverLine(driver.text, "would be removed"));
        }
        output.Finish("No driver matches.\n");
        return kExitSuccess;
    }

    SetInstallerUiMode(installer, InstallerUiMode::Silent, nullptr);
    RemovalLogs logs(installer, &system.InstallerLogFiles(), options.logDir);
    std::vector<unsigned> results;
    bool stopped = false;
    for (const SelectedDriver& driver : drivers) {
        // Once the user stops the run, no further driver is touched.
        if (stopped || installer.CancelRequested()) {
            stopped = true;
            output.Add({driver.text, Outcome::kNotTried, {}, {}},
                       DriverLine(driver.text, "not tried"));
            continue;
        }
        const char* productCode = catalog.RecordAt(driver.index).GetProductCode();
        logs.Begin(productCode);
        const unsigned result = RemoveProductWithResult(installer, productCode);
        const RemovalOutcome outcome = OutcomeOfRemoval(result, installer.CancelRequested());
        const std::string log = logs.End(outcome);
        stopped = outcome == RemovalOutcome::Cancelled;
        results.push_back(result);
        const bool gone = IsProductGone(installer, productCode, result);
        output.Add({driver.text, OutcomeName(outcome), result, log},
                   DriverLine(driver.text, ResultText(result, outcome, gone, log)));
    }
    output.Finish({});
    if (logs.Refusal() != LogFolderRefusal::None) system.WriteError(LogsNotKeptText(logs));
    const int exitCode = ExitCodeOfRemovals(results, stopped);
    if (exitCode != kExitSuccess) system.WriteError(ErrorText(exitCode));
    return exitCode;
}

// Deletes the registrations of the selected drivers whose product the installer does not know,
// and never another's: a product it knows in any state, or that it cannot tell, keeps its value.
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
        if (IsProductUnknown(installer, catalog.RecordAt(driver.index).GetProductCode())) {
            orphans.push_back(std::move(driver));
        }
    }
    ResultOutput output(options.format, system);
    bool failed = false;
    for (const SelectedDriver& driver : orphans) {
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
               CommandSystem& system) {
    CommandOptions run = options;
    if (!LoadDriverList(run.selection, system)) return kExitUsage;
    DriverCatalog catalog(registry, installer, kDriversKeyPath, kCatalogCapacity);
    if (run.command == CommandName::Remove) return RunRemove(run, catalog, installer, system);
    if (run.command == CommandName::Prune) return RunPrune(run, catalog, installer, system);
    return RunList(run, catalog, installer, system);
}
