#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "FakeInstaller.h"
#include "FakeIviSystem.h"
#include "FakeLogFiles.h"
#include "FakeRegistry.h"
#include "IviStoreText.h"
#include "catalog/DriverCatalog.h"
#include "cmd/CommandRun.h"
#include "cmd/CommandSystem.h"
#include "cmd/ExitCodes.h"
#include "ivi/IviSystem.h"

namespace {

struct ExitCodeCase {
    const char* name;
    std::vector<unsigned> installerResults;
    int expected;
    bool stopped = false;
};

const ExitCodeCase kCases[] = {
    {"NothingMatched", {}, 0},
    {"AllRemoved", {0, 0}, 0},
    {"OneNeedsARestart", {0, 3010}, 3010},
    {"RestartBegun", {1641}, 3010},
    {"OneFailed", {0, 1603}, 1603},
    {"UnknownProduct", {1605}, 1603},
    {"FailureAfterARestart", {3010, 1605}, 1603},
    {"BusyAlone", {1618}, 1618},
    {"BusyAmongRemovals", {0, 1618, 3010}, 1618},
    {"BusyAndAFailure", {1618, 1603}, 1603},
    {"FailureBeforeBusy", {1603, 1618}, 1603},
    {"CodeBeyondAnyKnown", {0xFFFFFFFFu}, 1603},
    // The user's Ctrl+C wins over anything that came before it.
    {"StoppedAfterAFailureAndARestart", {1603, 3010, 1602}, 1602, true},
    {"StoppedBeforeAnyRemoval", {}, 1602, true},
    {"InstallersOwnUserExit", {1602}, 1603},
};

class ExitCode : public testing::TestWithParam<ExitCodeCase> {};

TEST_P(ExitCode, FollowsTheWorstOutcome) {
    EXPECT_EQ(ExitCodeOfRemovals(GetParam().installerResults, GetParam().stopped),
              GetParam().expected);
}

void PrintTo(const ExitCodeCase& tested, std::ostream* out) { *out << tested.name; }

std::string CaseName(const testing::TestParamInfo<ExitCodeCase>& tested) {
    return tested.param.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ExitCode, testing::ValuesIn(kCases), CaseName);

// Texts pass unchanged; the answer to the administrator question is the test's.
class RecordingSystem : public CommandSystem {
public:
    explicit RecordingSystem(bool administrator) : m_administrator(administrator) {}
    std::string Utf8FromCodePage(const char* text) override { return text; }
    bool IsAdministrator() override { return m_administrator; }
    void WriteOutput(const std::string& text) override { output += text; }
    void WriteError(const std::string& text) override { error += text; }
    bool ReadListFile(const std::string& path, std::string& content) override {
        const auto file = listFiles.find(path);
        if (file == listFiles.end()) return false;
        content = file->second;
        return true;
    }
    LogFiles& InstallerLogFiles() override { return logFiles; }

    std::string output;
    std::string error;
    FakeLogFiles logFiles;
    std::map<std::string, std::string> listFiles;

private:
    bool m_administrator;
};

TEST(RemoveExitCode, WithoutAdministratorRightsNothingIsRemoved) {
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A}", "Alpha;IviDmm;C;Acme");
    FakeInstaller installer;
    RecordingSystem system(false);
    CommandOptions options;
    options.command = CommandName::Remove;
    options.selection.all = true;
    options.yes = true;

    EXPECT_EQ(RunCommand(options, registry, installer, system), kExitAccessDenied);
    EXPECT_TRUE(installer.ConfigureCalls().empty());
    EXPECT_EQ(system.output, "");
    EXPECT_NE(system.error.find("administrator"), std::string::npos) << system.error;
}

TEST(RemoveExitCode, EachSelectedDriverGetsALineAndTheRunTheTablesCode) {
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A}", "Alpha;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{B}", "Beta;IviScope;C;Acme");
    registry.AddText(kDriversKeyPath, "{C}", "Gamma;IviDmm;C;Other");
    FakeInstaller installer;
    installer.SetResult("{B}", 3010);
    RecordingSystem system(true);
    CommandOptions options;
    options.command = CommandName::Remove;
    options.selection.filters.manufacturer = "Acme";
    options.yes = true;

    EXPECT_EQ(RunCommand(options, registry, installer, system), kExitRestartRequired);
    EXPECT_EQ(installer.RequestedCodes(), (std::vector<std::string>{"{A}", "{B}"}));
    ASSERT_FALSE(installer.UiCalls().empty());
    EXPECT_EQ(installer.UiCalls()[0].level, 2);  // INSTALLUILEVEL_NONE
    EXPECT_EQ(system.output, "Alpha {A}: removed\nBeta {B}: removed, restart needed\n");
    EXPECT_NE(system.error, "");

    // "<All>" on the command line is a class like any other, never "every driver".
    registry.AddText(kDriversKeyPath, "{D}", "Delta;<All>;C;Other");
    options.selection.filters = {"<All>", "", ""};
    EXPECT_EQ(RunCommand(options, registry, installer, system), kExitSuccess);
    EXPECT_EQ(installer.RequestedCodes(), (std::vector<std::string>{"{A}", "{B}", "{D}"}));
}

// prune over Acme's drivers: {A} installed, {B} gone (in both views), {D} advertised, {E} of a
// state the installer could not tell; {C}, gone too, is another manufacturer's.
const std::string kB = "{0000000B-0000-4000-8000-00000000000B}";
const std::string kC = "{0000000C-0000-4000-8000-00000000000C}";
struct PruneCase {
    const char* name;
    bool administrator;
    bool dryRun;
    long deletion;  // what the 32-bit view answers to deleting {B}; the 64-bit view follows
                    // when the value is no longer there
    int exitCode;
    std::string output;  // after "Beta {B}: "
    bool deleted32;
    bool deleted64;
    bool stopped = false;  // Ctrl+C came before the run looked at any driver
};

const PruneCase kPruneCases[] = {
    {"DeletesOnlyTheGone", true, false, 0, 0, "registration deleted", true, true},
    {"DryRun", false, true, 0, 0, "registration would be deleted", false, false},
    {"WithoutAdministrator", false, false, 0, 5, "", false, false},
    {"AValueThatStays", true, false, 5, 1603, "registration could not be deleted", false, true},
    {"AValueNoViewHoldsAnyMore", true, false, 2, 1603, "registration could not be deleted", false,
     false},
    {"Stopped", true, false, 0, 1602, "", false, false, true},
};

class PruneRun : public testing::TestWithParam<PruneCase> {};

TEST_P(PruneRun, DeletesTheRegistrationsOfSelectedDriversWhoseProductIsGone) {
    const PruneCase& c = GetParam();
    FakeRegistry registry;
    const std::vector<std::string> codes = {"{A}", kB, kC, "{D}", "{E}"};
    for (const std::string& code : codes) {
        registry.AddText(kDriversKeyPath, code,
                         code == kC ? "Gamma;IviDmm;C;Other" : "Beta;IviDmm;C;Acme");
    }
    registry.AddText(kDriversKeyPath, kB, "Beta;IviDmm;C;Acme", RegistryView::Bits64);
    if (c.deletion != 0) registry.RefuseDelete(kDriversKeyPath, kB, c.deletion);
    if (c.deletion == 2) registry.RefuseDelete(kDriversKeyPath, kB, 2, RegistryView::Bits64);
    FakeInstaller installer;
    if (c.stopped) installer.RequestCancel();
    installer.SetInstalled("{A}");
    installer.SetProductState("{D}", 1);  // INSTALLSTATE_ADVERTISED
    installer.SetProductState("{E}", -2);
    RecordingSystem system(c.administrator);
    CommandOptions options;
    options.command = CommandName::Prune;
    options.selection.filters.manufacturer = "Acme";
    options.yes = !c.dryRun;
    options.dryRun = c.dryRun;

    EXPECT_EQ(RunCommand(options, registry, installer, system), c.exitCode);
    EXPECT_EQ(system.output, c.output.empty() ? "" : "Beta " + kB + ": " + c.output + "\n");
    EXPECT_EQ(system.error.empty(), c.exitCode == 0) << system.error;
    std::vector<std::string> left = codes;
    if (c.deleted32) left.erase(left.begin() + 1);
    EXPECT_EQ(registry.ValueNames(kDriversKeyPath), left);
    EXPECT_EQ(registry.ValueNames(kDriversKeyPath, RegistryView::Bits64).empty(), c.deleted64);
    EXPECT_TRUE(installer.ConfigureCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, PruneRun, testing::ValuesIn(kPruneCases),
                         [](const testing::TestParamInfo<PruneCase>& c) { return c.param.name; });

TEST(RemoveExitCode, ACancelStopsTheRunAndNamesEveryDriverNotRemoved) {
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A}", "Alpha;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{B}", "Beta;IviScope;C;Acme");
    registry.AddText(kDriversKeyPath, "{C}", "Gamma;IviDmm;C;Acme");
    CommandOptions options;
    options.command = CommandName::Remove;
    options.selection.all = true;
    options.yes = true;
    // Windows Installer rolls Beta back; Wine's finishes removing it first. Alpha's removal
    // needs a restart, which the stop does not hide.
    for (bool honoured : {true, false}) {
        FakeInstaller installer;
        installer.HonourCancel(honoured);
        installer.SetResult("{A}", 3010);
        installer.onConfigure = [&](const std::string& code) {
            if (code == "{B}") installer.RequestCancel();
        };
        RecordingSystem system(true);

        EXPECT_EQ(RunCommand(options, registry, installer, system), kExitCancelled);
        EXPECT_EQ(installer.RequestedCodes(), (std::vector<std::string>{"{A}", "{B}"}));
        EXPECT_EQ(system.output, std::string("Alpha {A}: removed, restart needed\nBeta {B}: ") +
                                     (honoured ? "cancelled" : "removed") +
                                     "\nGamma {C}: not tried\n");
        EXPECT_EQ(system.error,
                  "CalvornCmd: the removal was stopped.\n"
                  "CalvornCmd: restart the computer to finish removing the drivers.\n");
    }

    // The document a deployment tool reads is whole, every driver in it, however the run ended.
    FakeInstaller installer;
    installer.onConfigure = [&](const std::string&) { installer.RequestCancel(); };
    RecordingSystem system(true);
    options.format = ListFormat::Csv;
    EXPECT_EQ(RunCommand(options, registry, installer, system), kExitCancelled);
    EXPECT_EQ(system.output,
              "ProductCode,Name,Class,ADE,Manufacturer,Outcome,InstallerResult,Log\r\n"
              "{A},Alpha,IviDmm,C,Acme,cancelled,1602,\r\n"
              "{B},Beta,IviScope,C,Acme,notTried,,\r\n"
              "{C},Gamma,IviDmm,C,Acme,notTried,,\r\n");
}

CommandOptions RemoveEveryDriver() {
    CommandOptions options;
    options.command = CommandName::Remove;
    options.selection.all = true;
    options.yes = true;
    return options;
}

// remove over Alpha, whose module kdmm a session and a logical name use, and Beta, which has
// no module in the store.
struct InUseCase {
    const char* name;
    bool dryRun;
    bool evenIfUsed;
    std::string store;
    int exitCode;
    std::string output;
    std::string errorMark;     // empty: nothing on the error stream
    const char* alphaOutcome;  // in the JSON result
};

const char kStore[] = "C:\\IVI\\IviConfigurationStore.xml";
const char kAlphaUses[] =
    "the IVI configuration uses it (logical names: DMM1; driver sessions: "
    "DmmBench)\n";

const InUseCase kInUseCases[] = {
    {"LeftAlone", false, false, IviStoreText(), kExitFailed,
     "Alpha {A}: not removed, " + std::string(kAlphaUses) + "Beta {B}: removed\n", "--even-if-used",
     "notRemovedInUse"},
    {"DryRun", true, false, IviStoreText(), kExitSuccess,
     "Alpha {A}: would not be removed, " + std::string(kAlphaUses) + "Beta {B}: would be removed\n",
     "", "wouldNotBeRemovedInUse"},
    {"EvenIfUsed", false, true, IviStoreText(), kExitSuccess,
     "Alpha {A}: removed; the IVI configuration still refers to it (software module: kdmm; "
     "driver sessions: DmmBench; logical names: DMM1)\nBeta {B}: removed\n",
     "", "removed"},
    {"UnreadableStore", false, false, "<IviConfigStore>", kExitSuccess,
     "Alpha {A}: removed\nBeta {B}: removed\n",
     "CalvornCmd: the IVI configuration could not be read: C:\\IVI\\IviConfigurationStore.xml "
     "is not well-formed XML (unexpected end of data).\n",
     "removed"},
};

class RemoveInUse : public testing::TestWithParam<InUseCase> {};

TEST_P(RemoveInUse, LeavesUsedDriversAloneUnlessTold) {
    const InUseCase& c = GetParam();
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A}", "Alpha;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{B}", "Beta;IviScope;C;Acme");
    registry.AddText("SOFTWARE\\IVI\\CONFIGURATIONSERVER", "MasterStore", kStore);
    registry.AddText("SOFTWARE\\IVI", "IviStandardRootDir", "C:\\IVI\\");
    FakeIviSystem ivi;
    ivi.files[kStore] = c.store;
    ivi.productFiles["{A}"] = {"C:\\IVI\\Bin\\kdmm_32.dll"};
    FakeInstaller installer;
    RecordingSystem system(true);
    CommandOptions options = RemoveEveryDriver();
    options.yes = !c.dryRun;
    options.dryRun = c.dryRun;
    options.evenIfUsed = c.evenIfUsed;

    EXPECT_EQ(RunCommand(options, registry, installer, system, &ivi), c.exitCode);
    EXPECT_EQ(system.output, c.output);
    EXPECT_EQ(system.error.empty(), c.errorMark.empty()) << system.error;
    EXPECT_NE(system.error.find(c.errorMark), std::string::npos) << system.error;

    RecordingSystem json(true);
    options.format = ListFormat::Json;
    RunCommand(options, registry, installer, json, &ivi);
    EXPECT_EQ(nlohmann::json::parse(json.output).at(0).at("outcome"), c.alphaOutcome);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveInUse, testing::ValuesIn(kInUseCases),
                         [](const testing::TestParamInfo<InUseCase>& tested) {
                             return std::string(tested.param.name);
                         });

// A list saved on one station removes the same drivers on another, whatever their release, and
// the deployment tool reads what became of each from JSON.
TEST(RemoveExitCode, ADriverListSelectsAndTheJsonResultTellsEachOutcome) {
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A7}", "Alpha DMM;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{B7}", "Beta Scope;IviScope;C;Acme");
    registry.AddText(kDriversKeyPath, "{C7}", "Gamma DMM;IviDmm;C;Other");
    FakeInstaller installer;
    installer.SetResult("{B7}", 1603);
    RecordingSystem system(true);
    system.listFiles["lab.csv"] =
        "\xEF\xBB\xBFProductCode,Name,ADE\r\n,alpha*,C\r\n,Beta Scope,C\r\n,Delta,C\r\n";
    CommandOptions options = RemoveEveryDriver();
    options.selection.all = false;
    options.selection.listFile = "lab.csv";
    options.format = ListFormat::Json;

    EXPECT_EQ(RunCommand(options, registry, installer, system), kExitFailed);
    EXPECT_EQ(installer.RequestedCodes(), (std::vector<std::string>{"{A7}", "{B7}"}));
    const nlohmann::json results = nlohmann::json::parse(system.output);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0]["outcome"], "removed");
    EXPECT_EQ(results[1]["outcome"], "failed");
    EXPECT_EQ(results[1]["installerResult"], 1603);
    EXPECT_NE(system.error, "");
}

// A list that is no list is the command line's fault: nothing is removed, nor is the
// administrator question asked first.
TEST(RemoveExitCode, AListThatIsNoListIsAUsageErrorNamingTheFileAndTheLine) {
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A}", "Beta;IviDmm;C;Acme");
    CommandOptions options = RemoveEveryDriver();
    options.selection.all = false;
    options.selection.listFile = "lab.csv";
    const char* const unreadable = nullptr;
    for (const char* content : {unreadable, "Name,Class\r\nBeta,\r\n,\r\n"}) {
        FakeInstaller installer;
        RecordingSystem system(false);
        if (content) system.listFiles["lab.csv"] = content;

        EXPECT_EQ(RunCommand(options, registry, installer, system), kExitUsage);
        EXPECT_EQ(system.error,
                  content ? "CalvornCmd: lab.csv line 3: not a driver list: ProductCode, Name, "
                            "Class, ADE and Manufacturer are all empty, which would select every "
                            "driver.\n"
                          : "CalvornCmd: lab.csv: the driver list cannot be read.\n");
        EXPECT_EQ(system.output, "");
        EXPECT_TRUE(installer.RequestedCodes().empty());
    }
}

}  // namespace
