#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cmd/CommandOptions.h"

namespace {

using Kind = ParsedCommandLine::Kind;

// What a command line asks for, in one line: the kind, then for a run the command and every
// option as parsed.
std::string Summary(const ParsedCommandLine& parsed) {
    if (parsed.kind == Kind::Help) return "help";
    if (parsed.kind == Kind::UsageError) return "usage error";
    const CommandOptions& options = parsed.options;
    const DriverFilters& filters = options.selection.filters;
    std::ostringstream out;
    const char* const commands[] = {"list", "remove", "prune"};
    out << commands[static_cast<int>(options.command)];
    out << " class=" << filters.cls << " manufacturer=" << filters.manufacturer
        << " ade=" << filters.ade << " products=";
    for (const std::string& code : options.selection.productCodes) out << code << "|";
    for (const std::string& pattern : options.selection.namePatterns) out << " name=" << pattern;
    if (!options.selection.listFile.empty()) out << " from=" << options.selection.listFile;
    const char* const formats[] = {"text", "csv", "json"};
    out << " format=" << formats[static_cast<int>(options.format)];
    if (options.selection.all) out << " all";
    if (options.yes) out << " yes";
    if (options.dryRun) out << " dry-run";
    if (!options.logDir.empty()) out << " log-dir=" << options.logDir;
    return out.str();
}

struct CommandLineCase {
    const char* name;
    std::vector<const char*> arguments;
    const char* expected;
};

const char kListAll[] = "list class= manufacturer= ade= products= format=text";

const CommandLineCase kCases[] = {
    {"ListWithNoOptions", {"list"}, kListAll},
    {"ListWithEveryOption",
     {"list", "--class", "IviDmm", "--manufacturer", "Acme Labs", "--ade", ".NET", "--product",
      "{A}", "--format", "csv"},
     "list class=IviDmm manufacturer=Acme Labs ade=.NET products={A}| format=csv"},
    {"ValueAfterAnEqualsSign",
     {"list", "--format=json"},
     "list class= manufacturer= ade= products= format=json"},
    {"ProductRepeated",
     {"list", "--product", "{A}", "--product", "{b}"},
     "list class= manufacturer= ade= products={A}|{b}| format=text"},
    {"ClassRepeated", {"list", "--class", "A", "--class", "B"}, "usage error"},
    {"FormatRepeated", {"list", "--format", "csv", "--format", "json"}, "usage error"},
    {"TwoValuesAfterOneProduct", {"list", "--product", "{A}", "{B}"}, "usage error"},
    {"UnknownFormat", {"list", "--format", "xml"}, "usage error"},
    {"FormatInCapitals", {"list", "--format", "JSON"}, "usage error"},
    {"MissingClassValue", {"list", "--class"}, "usage error"},
    {"MissingFormatValue", {"list", "--format"}, "usage error"},
    {"EmptyManufacturer", {"list", "--manufacturer", ""}, "usage error"},
    {"EmptyProduct", {"remove", "--product", "", "--yes"}, "usage error"},
    {"UnknownOption", {"list", "--verbose"}, "usage error"},
    {"StrayWord", {"list", "IviDmm"}, "usage error"},
    {"NoCommand", {}, "usage error"},
    {"UnknownCommand", {"show"}, "usage error"},
    {"TwoCommands", {"list", "remove"}, "usage error"},
    {"AllIsOnlyForRemove", {"list", "--all"}, "usage error"},
    {"RemoveAsJson",
     {"remove", "--all", "--yes", "--format", "json"},
     "remove class= manufacturer= ade= products= format=json all yes"},
    {"NamePatternsRepeatedWithAList",
     {"list", "--name", "Acme*", "--name", "?eta", "--from", "D:\\Drivers.csv"},
     "list class= manufacturer= ade= products= name=Acme* name=?eta from=D:\\Drivers.csv "
     "format=text"},
    {"PruneFromAList",
     {"prune", "--from", "lab.csv", "--dry-run", "--format", "csv"},
     "prune class= manufacturer= ade= products= from=lab.csv format=csv dry-run"},
    {"EmptyNamePattern", {"list", "--name", ""}, "usage error"},
    {"TwoLists", {"list", "--from", "a.csv", "--from", "b.csv"}, "usage error"},
    {"RemoveAllAndAList", {"remove", "--all", "--from", "a.csv", "--yes"}, "usage error"},
    {"RemoveAllAndAName", {"remove", "--all", "--name", "*", "--yes"}, "usage error"},
    {"Help", {"--help"}, "help"},
    {"ShortHelp", {"-h"}, "help"},
    {"CommandHelp", {"remove", "--help"}, "help"},
    {"HelpAmongOptions", {"list", "--class", "IviDmm", "--help"}, "help"},
    {"RemoveOneManufacturer",
     {"remove", "--manufacturer", "Acme", "--yes"},
     "remove class= manufacturer=Acme ade= products= format=text yes"},
    {"RemoveAll",
     {"remove", "--all", "--yes"},
     "remove class= manufacturer= ade= products= format=text all yes"},
    {"RemoveYesRepeated",
     {"remove", "--all", "--yes", "--yes"},
     "remove class= manufacturer= ade= products= format=text all yes"},
    {"RemoveDryRun",
     {"remove", "--product", "{A}", "--dry-run"},
     "remove class= manufacturer= ade= products={A}| format=text dry-run"},
    {"RemoveIntoAShare",
     {"remove", "--all", "--yes", "--log-dir", "\\\\lab\\logs\\PC01"},
     "remove class= manufacturer= ade= products= format=text all yes log-dir=\\\\lab\\logs\\PC01"},
    {"LogFolderIsOnlyForRemove", {"list", "--log-dir", "D:\\Logs"}, "usage error"},
    {"RemoveWithoutYes", {"remove", "--class", "IviDmm"}, "usage error"},
    {"RemoveWithoutSelection", {"remove", "--yes"}, "usage error"},
    {"RemoveYesAndDryRun", {"remove", "--all", "--yes", "--dry-run"}, "usage error"},
    {"RemoveAllAndAFilter", {"remove", "--all", "--class", "IviDmm", "--yes"}, "usage error"},
    {"RemoveAllAndAProduct", {"remove", "--all", "--product", "{A}", "--yes"}, "usage error"},
    {"OptionBeforeCommand", {"--class", "IviDmm", "list"}, "usage error"},
    {"PruneOneManufacturer",
     {"prune", "--manufacturer", "Acme", "--yes"},
     "prune class= manufacturer=Acme ade= products= format=text yes"},
    {"PruneAllDryRun",
     {"prune", "--all", "--dry-run"},
     "prune class= manufacturer= ade= products= format=text all dry-run"},
    {"PruneWithoutYes", {"prune", "--product", "{A}"}, "usage error"},
};

class CommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, ParsesAsExpected) {
    const CommandLineCase& c = GetParam();
    const ParsedCommandLine parsed =
        ParseCommandLine(static_cast<int>(c.arguments.size()), c.arguments.data());
    EXPECT_EQ(Summary(parsed), c.expected);
    // Help and usage errors always have something to print.
    if (parsed.kind != Kind::Run) {
        EXPECT_FALSE(parsed.text.empty());
    }
}

void PrintTo(const CommandLineCase& tested, std::ostream* out) { *out << tested.name; }

std::string CaseName(const testing::TestParamInfo<CommandLineCase>& tested) {
    return tested.param.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, testing::ValuesIn(kCases), CaseName);

}  // namespace
