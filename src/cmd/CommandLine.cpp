#include <CLI/CLI.hpp>

#include <map>
#include <string>

#include "cmd/CommandOptions.h"

namespace {

const char kProgramName[] = "CalvornCmd";
const char kDescription[] =
    "Lists the IVI instrument drivers registered on this PC and removes them through Windows "
    "Installer, silently and one by one; deletes the registrations of drivers whose product is "
    "no longer installed.";
const char kExitCodes[] =
    "Exit codes: 0 done (also when nothing matched), 3010 removed and a restart is needed,\n"
    "1602 stopped by Ctrl+C (cancelled by the user), 1603 a removal failed,\n"
    "1618 Windows Installer stayed busy (try again later),\n"
    "87 usage error, 5 remove or prune without administrator rights.";
const char kUsageHint[] = "Run 'CalvornCmd --help' for usage.";

// An empty text would filter by nothing: `remove --class ""` must not select every driver.
const CLI::Validator kNotEmpty(
    [](std::string& text) { return text.empty() ? std::string("must not be empty") : ""; }, "");

void AddSelectionOptions(CLI::App& command, DriverSelection& selection) {
    command.add_option("--class", selection.filters.cls, "Only drivers of this IVI class")
        ->check(kNotEmpty);
    command
        .add_option("--manufacturer", selection.filters.manufacturer,
                    "Only drivers of this manufacturer")
        ->check(kNotEmpty);
    command
        .add_option("--ade", selection.filters.ade,
                    "Only drivers for this application development environment")
        ->check(kNotEmpty);
    command
        .add_option("--product", selection.productCodes,
                    "Only the driver with this product code (letter case aside); repeatable")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(kNotEmpty);
}

ParsedCommandLine UsageError(const std::string& what) {
    ParsedCommandLine parsed;
    parsed.kind = ParsedCommandLine::Kind::UsageError;
    parsed.text = std::string(kProgramName) + ": " + what + "\n" + kUsageHint + "\n";
    return parsed;
}

// What the parser cannot say: remove must be told to go ahead and what to remove.
std::string RemoveProblem(const CommandOptions& options) {
    if (!options.yes && !options.dryRun) {
        return "remove needs --yes to remove the drivers, or --dry-run to only print them";
    }
    if (!options.selection.all && !options.selection.NamesDrivers()) {
        return "remove needs --all, or at least one of --class, --manufacturer, --ade, "
               "--product";
    }
    return {};
}

// The same for prune.
std::string PruneProblem(const CommandOptions& options) {
    if (!options.yes && !options.dryRun) {
        return "prune needs --yes to delete the registrations, or --dry-run to only print them";
    }
    if (!options.selection.all && !options.selection.NamesDrivers()) {
        return "prune needs --all, or at least one of --class, --manufacturer, --ade, "
               "--product";
    }
    return {};
}

// `prune` takes remove's selection and its --all, --yes and --dry-run.
void AddPruneOptions(CLI::App& prune, CommandOptions& options) {
    AddSelectionOptions(prune, options.selection);
    CLI::Option* all = prune.add_flag("--all", options.selection.all, "Select every driver");
    CLI::Option* yes = prune.add_flag("--yes", options.yes, "Delete without asking");
    CLI::Option* dryRun =
        prune.add_flag("--dry-run", options.dryRun, "Only print what would be deleted");
    yes->excludes(dryRun);
    for (const char* selector : {"--class", "--manufacturer", "--ade", "--product"}) {
        all->excludes(prune.get_option(selector));
    }
}

}  // namespace

ParsedCommandLine ParseCommandLine(int count, const char* const* arguments) {
    ParsedCommandLine parsed;
    CommandOptions& options = parsed.options;

    CLI::App app(kDescription, kProgramName);
    app.footer(kExitCodes);
    app.require_subcommand(1);

    CLI::App* list = app.add_subcommand("list", "List the matching drivers");
    AddSelectionOptions(*list, options.selection);
    std::string format = "text";
    list->add_option("--format", format, "text (the default), csv or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->option_text("text|csv|json");

    CLI::App* remove = app.add_subcommand("remove", "Remove the matching drivers");
    AddSelectionOptions(*remove, options.selection);
    CLI::Option* all = remove->add_flag("--all", options.selection.all, "Select every driver");
    CLI::Option* yes = remove->add_flag("--yes", options.yes, "Remove without asking");
    CLI::Option* dryRun =
        remove->add_flag("--dry-run", options.dryRun, "Only print what would be removed");
    yes->excludes(dryRun);
    remove
        ->add_option("--log-dir", options.logDir,
                     "Keep the installer logs of failed removals in this folder, made if missing")
        ->check(kNotEmpty);
    for (const char* selector : {"--class", "--manufacturer", "--ade", "--product"}) {
        all->excludes(remove->get_option(selector));
    }

    CLI::App* prune = app.add_subcommand(
        "prune",
        "Delete the registrations of the matching drivers whose product Windows Installer does "
        "not know");
    AddPruneOptions(*prune, options);

    // CLI11 takes the words as main() would pass them, the program's name first.
    std::vector<const char*> words = {kProgramName};
    words.insert(words.end(), arguments, arguments + count);
    try {
        app.parse(static_cast<int>(words.size()), words.data());
    } catch (const CLI::CallForHelp&) {
        parsed.kind = ParsedCommandLine::Kind::Help;
        // Every command's options at once: the one page a deployment script's author reads.
        parsed.text = app.help("", CLI::AppFormatMode::All);
        return parsed;
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }

    options.command = remove->parsed()  ? CommandName::Remove
                      : prune->parsed() ? CommandName::Prune
                                        : CommandName::List;
    const std::map<std::string, ListFormat> formats = {
        {"text", ListFormat::Text}, {"csv", ListFormat::Csv}, {"json", ListFormat::Json}};
    options.format = formats.at(format);
    if (options.command == CommandName::Remove) {
        const std::string problem = RemoveProblem(options);
        if (!problem.empty()) return UsageError(problem);
    }
    if (options.command == CommandName::Prune) {
        const std::string problem = PruneProblem(options);
        if (!problem.empty()) return UsageError(problem);
    }
    parsed.kind = ParsedCommandLine::Kind::Run;
    return parsed;
}
