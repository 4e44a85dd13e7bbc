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
    command
        .add_option("--name", selection.namePatterns,
                    "Only drivers whose name matches this pattern: * any run of characters, ? "
                    "one, letter case aside; repeatable")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(kNotEmpty);
    command
        .add_option("--from", selection.listFile,
                    "Only drivers that a row of this driver list selects (CSV as list --format "
                    "csv writes it)")
        ->check(kNotEmpty);
}

void AddFormatOption(CLI::App& command, std::string& format) {
    command.add_option("--format", format, "text (the default), csv or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->option_text("text|csv|json");
}

ParsedCommandLine UsageError(const std::string& what) {
    ParsedCommandLine parsed;
    parsed.kind = ParsedCommandLine::Kind::UsageError;
    parsed.text = std::string(kProgramName) + ": " + what + "\n" + kUsageHint + "\n";
    return parsed;
}

const char* const kSelectors[] = {"--class", "--manufacturer", "--ade",
                                  "--name",  "--product",      "--from"};

// What remove and prune change, in their texts: "remove the drivers", "removed", "Remove".
struct ChangeWords {
    const char* command;
    const char* change;
    const char* changed;
    const char* doIt;
};

const ChangeWords kRemoveWords = {"remove", "remove the drivers", "removed", "Remove"};
const ChangeWords kPruneWords = {"prune", "delete the registrations", "deleted", "Delete"};

// A command that changes the machine selects what it changes, --all or by name, and goes ahead
// with --yes or only prints with --dry-run.
void AddChangeOptions(CLI::App& command, CommandOptions& options, std::string& format,
                      const ChangeWords& words) {
    AddSelectionOptions(command, options.selection);
    AddFormatOption(command, format);
    CLI::Option* all = command.add_flag("--all", options.selection.all, "Select every driver");
    CLI::Option* yes =
        command.add_flag("--yes", options.yes, std::string(words.doIt) + " without asking");
    CLI::Option* dryRun = command.add_flag(
        "--dry-run", options.dryRun, std::string("Only print what would be ") + words.changed);
    yes->excludes(dryRun);
    for (const char* selector : kSelectors) {
        all->excludes(command.get_option(selector));
    }
}

// What the parser cannot say: the command must be told to go ahead and what to change.
std::string ChangeProblem(const CommandOptions& options, const ChangeWords& words) {
    const std::string command = words.command;
    if (!options.yes && !options.dryRun) {
        return command + " needs --yes to " + words.change + ", or --dry-run to only print them";
    }
    if (!options.selection.all && !options.selection.NamesDrivers()) {
        return command + " needs --all, or at least one of --class, --manufacturer, --ade, " +
               "--name, --product, --from";
    }
    return {};
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
    AddFormatOption(*list, format);

    CLI::App* remove = app.add_subcommand("remove", "Remove the matching drivers");
    AddChangeOptions(*remove, options, format, kRemoveWords);
    remove
        ->add_option("--log-dir", options.logDir,
                     "Keep the installer logs of failed removals in this folder, made if missing")
        ->check(kNotEmpty);
    remove->add_flag("--even-if-used", options.evenIfUsed,
                     "Remove drivers that logical names or driver sessions of the IVI "
                     "configuration use, too");

    CLI::App* prune = app.add_subcommand(
        "prune",
        "Delete the registrations of the matching drivers whose product Windows Installer does "
        "not know");
    AddChangeOptions(*prune, options, format, kPruneWords);

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
    if (options.command != CommandName::List) {
        const std::string problem = ChangeProblem(
            options, options.command == CommandName::Remove ? kRemoveWords : kPruneWords);
        if (!problem.empty()) return UsageError(problem);
    }
    parsed.kind = ParsedCommandLine::Kind::Run;
    return parsed;
}
