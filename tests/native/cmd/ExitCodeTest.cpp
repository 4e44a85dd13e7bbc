#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeInstaller.h"
#include "FakeLogFiles.h"
#include "FakeRegistry.h"
#include "catalog/DriverCatalog.h"
#include "cmd/CommandRun.h"
#include "cmd/CommandSystem.h"
#include "cmd/ExitCodes.h"

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
    std::string Utf8FromCodePage(const char* text) override { return text; }
    bool IsAdministrator() override { return administrator; }
    void WriteOutput(const std::string& text) override { output += text; }
    void WriteError(const std::string& text) override { error += text; }
    LogFiles& InstallerLogFiles() override { return logFiles; }

    bool administrator = true;
    std::string output;
    std::string error;
    FakeLogFiles logFiles;
};

// `remove --yes` by an administrator, over a registry and installer of the test's own.
class ConsoleRun : public testing::Test {
protected:
    ConsoleRun() {
        m_options.command = CommandName::Remove;
        m_options.yes = true;
    }
    void AddDriver(const char* code, const char* data) {
        m_registry.AddText(kDriversKeyPath, code, data);
    }
    int Run() { return RunCommand(m_options, m_registry, m_installer, m_system); }

    FakeRegistry m_registry;
    FakeInstaller m_installer;
    RecordingSystem m_system;
    CommandOptions m_options;
};

TEST_F(ConsoleRun, WithoutAdministratorRightsNothingIsRemoved) {
    AddDriver("{A}", "Alpha;IviDmm;C;Acme");
    m_system.administrator = false;
    m_options.selection.all = true;

    EXPECT_EQ(Run(), kExitAccessDenied);
    EXPECT_TRUE(m_installer.ConfigureCalls().empty());
    EXPECT_EQ(m_system.output, "");
    EXPECT_NE(m_system.error.find("administrator"), std::string::npos) << m_system.error;
}

TEST_F(ConsoleRun, EachSelectedDriverGetsALineAndTheRunTheTablesCode) {
    AddDriver("{A}", "Alpha;IviDmm;C;Acme");
    AddDriver("{B}", "Beta;IviScope;C;Acme");
    AddDriver("{C}", "Gamma;IviDmm;C;Other");
    m_installer.SetResult("{B}", 3010);
    m_options.selection.filters.manufacturer = "Acme";

    EXPECT_EQ(Run(), kExitRestartRequired);
    EXPECT_EQ(m_installer.RequestedCodes(), (std::vector<std::string>{"{A}", "{B}"}));
    ASSERT_FALSE(m_installer.UiCalls().empty());
    EXPECT_EQ(m_installer.UiCalls()[0].level, 2);  // INSTALLUILEVEL_NONE
    EXPECT_EQ(m_system.output, "Alpha {A}: removed\nBeta {B}: removed, restart needed\n");
    EXPECT_NE(m_system.error, "");

    // "<All>" on the command line is a class like any other, never "every driver".
    AddDriver("{D}", "Delta;<All>;C;Other");
    m_options.selection.filters = {"<All>", "", ""};
    EXPECT_EQ(Run(), kExitSuccess);
    EXPECT_EQ(m_installer.RequestedCodes(), (std::vector<std::string>{"{A}", "{B}", "{D}"}));
}

TEST_F(ConsoleRun, ACancelStopsTheRunAndNamesEveryDriverNotRemoved) {
    AddDriver("{A}", "Alpha;IviDmm;C;Acme");
    AddDriver("{B}", "Beta;IviScope;C;Acme");
    AddDriver("{C}", "Gamma;IviDmm;C;Acme");
    m_options.selection.all = true;
    // Windows Installer rolls Beta back; Wine's finishes removing it first.
    for (bool honoured : {true, false}) {
        FakeInstaller installer;
        installer.HonourCancel(honoured);
        installer.onConfigure = [&](const std::string& code) {
            if (code == "{B}") installer.RequestCancel();
        };
        m_system.output.clear();

        EXPECT_EQ(RunCommand(m_options, m_registry, installer, m_system), kExitCancelled);
        EXPECT_EQ(installer.RequestedCodes(), (std::vector<std::string>{"{A}", "{B}"}));
        EXPECT_EQ(m_system.output, std::string("Alpha {A}: removed\nBeta {B}: ") +
                                       (honoured ? "cancelled" : "removed") +
                                       "\nGamma {C}: not tried\n");
        EXPECT_NE(m_system.error, "");
    }
}

// prune over Acme's drivers: {A} installed, {B} gone (in both views), {D} advertised, {E} of a
// state the installer could not tell; {C}, gone too, is another manufacturer's.
struct PruneCase {
    const char* name;
    bool administrator;
    bool dryRun;
    bool refused;  // the 32-bit view refuses to delete {B}
    int exitCode;
    std::string output;  // after "Beta {B}: "
    bool deleted32;
    bool deleted64;
};

const PruneCase kPruneCases[] = {
    {"DeletesOnlyTheGone", true, false, false, 0, "registration deleted", true, true},
    {"DryRun", false, true, false, 0, "registration would be deleted", false, false},
    {"WithoutAdministrator", false, false, false, 5, "", false, false},
    {"AValueThatStays", true, false, true, 1603, "registration could not be deleted", false, true},
};

class PruneRun : public ConsoleRun, public testing::WithParamInterface<PruneCase> {};

TEST_P(PruneRun, DeletesTheRegistrationsOfSelectedDriversWhoseProductIsGone) {
    const PruneCase& c = GetParam();
    for (const char* code : {"{A}", "{B}", "{C}", "{D}", "{E}"}) {
        AddDriver(code, code == std::string("{C}") ? "Gamma;IviDmm;C;Other" : "Beta;IviDmm;C;Acme");
    }
    m_registry.AddText(kDriversKeyPath, "{B}", "Beta;IviDmm;C;Acme", RegistryView::Bits64);
    if (c.refused) m_registry.RefuseDelete(kDriversKeyPath, "{B}");
    m_installer.SetInstalled("{A}");
    m_installer.SetProductState("{D}", 1);  // INSTALLSTATE_ADVERTISED
    m_installer.SetProductState("{E}", -2);
    m_system.administrator = c.administrator;
    m_options.command = CommandName::Prune;
    m_options.selection.filters.manufacturer = "Acme";
    m_options.yes = !c.dryRun;
    m_options.dryRun = c.dryRun;

    EXPECT_EQ(Run(), c.exitCode);
    EXPECT_EQ(m_system.output, c.output.empty() ? "" : "Beta {B}: " + c.output + "\n");
    EXPECT_EQ(m_system.error.empty(), c.exitCode == 0) << m_system.error;
    std::vector<std::string> left = {"{A}", "{B}", "{C}", "{D}", "{E}"};
    if (c.deleted32) left.erase(left.begin() + 1);
    EXPECT_EQ(m_registry.ValueNames(kDriversKeyPath), left);
    EXPECT_EQ(m_registry.ValueNames(kDriversKeyPath, RegistryView::Bits64).empty(), c.deleted64);
    EXPECT_TRUE(m_installer.ConfigureCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, PruneRun, testing::ValuesIn(kPruneCases),
                         [](const testing::TestParamInfo<PruneCase>& c) { return c.param.name; });

}  // namespace
