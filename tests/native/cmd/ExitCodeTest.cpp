#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeInstaller.h"
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
};

class ExitCode : public testing::TestWithParam<ExitCodeCase> {};

TEST_P(ExitCode, FollowsTheWorstOutcome) {
    EXPECT_EQ(ExitCodeOfRemovals(GetParam().installerResults), GetParam().expected);
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

    std::string output;
    std::string error;

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

TEST(RemoveExitCode, AFailureOfAProductThatIsGoneNamesPrune) {
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A}", "Alpha;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{B}", "Beta;IviDmm;C;Acme");
    FakeInstaller installer;
    installer.SetResult("{A}", 1605);
    installer.SetProductState("{A}", 5);
    installer.SetResult("{B}", 1605);
    RecordingSystem system(true);
    CommandOptions options;
    options.command = CommandName::Remove;
    options.selection.all = true;
    options.yes = true;

    EXPECT_EQ(RunCommand(options, registry, installer, system), kExitFailed);
    EXPECT_EQ(system.output,
              "Alpha {A}: failed, Windows Installer result 1605\n"
              "Beta {B}: failed, Windows Installer result 1605 (not installed; 'CalvornCmd prune' "
              "deletes its registration)\n");
    EXPECT_EQ(registry.ValueNames(kDriversKeyPath), (std::vector<std::string>{"{A}", "{B}"}));
}

TEST(ListRun, VersionAndDateOfInstalledDriversOnly) {
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A}", "Alpha;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{B}", "Beta;IviDmm;C;Acme");
    FakeInstaller installer;
    installer.SetInstalled("{A}");
    installer.SetProductInfo("{A}", "VersionString", "1.2.3");
    installer.SetProductInfo("{A}", "InstallDate", "20261209");
    // Information the installer still has of a product that is not installed is not shown.
    installer.SetProductInfo("{B}", "VersionString", "9.9");
    RecordingSystem system(false);
    CommandOptions options;
    options.format = ListFormat::Csv;

    EXPECT_EQ(RunCommand(options, registry, installer, system), kExitSuccess);
    EXPECT_EQ(system.output,
              "ProductCode,Name,Class,ADE,Manufacturer,Installed,Version,InstallDate\r\n"
              "{A},Alpha,IviDmm,C,Acme,yes,1.2.3,2026-12-09\r\n"
              "{B},Beta,IviDmm,C,Acme,no,,\r\n");
}

// prune over Acme's drivers: {A} installed, {B} gone (in both views), {D} advertised, {E} of a
// state the installer could not tell; {C}, gone too, is another manufacturer's.
struct PruneCase {
    const char* name;
    bool administrator;
    bool dryRun;
    bool refused;  // the 32-bit view refuses to delete {B}
    std::vector<std::string> products;
    int exitCode;
    std::string output;
    std::vector<std::string> left32;
    std::vector<std::string> left64;
};

const std::vector<std::string> kAll32 = {"{A}", "{B}", "{C}", "{D}", "{E}"};

const PruneCase kPruneCases[] = {
    {"DeletesOnlyTheGone",
     true,
     false,
     false,
     {},
     0,
     "Beta {B}: registration deleted\n",
     {"{A}", "{C}", "{D}", "{E}"},
     {"{A}"}},
    {"DryRunChangesNothing",
     false,
     true,
     false,
     {},
     0,
     "Beta {B}: registration would be deleted\n",
     kAll32,
     {"{A}", "{B}"}},
    {"WithoutAdministratorNothingIsDeleted",
     false,
     false,
     false,
     {},
     5,
     "",
     kAll32,
     {"{A}", "{B}"}},
    {"AValueThatStays",
     true,
     false,
     true,
     {},
     1603,
     "Beta {B}: registration could not be deleted\n",
     kAll32,
     {"{A}"}},
    {"NoneGone",
     true,
     false,
     false,
     {"{a}", "{D}"},
     0,
     "No matching driver is without its product.\n",
     kAll32,
     {"{A}", "{B}"}},
};

class PruneRun : public testing::TestWithParam<PruneCase> {};

TEST_P(PruneRun, DeletesTheRegistrationsOfSelectedDriversWhoseProductIsGone) {
    const PruneCase& c = GetParam();
    FakeRegistry registry;
    registry.AddText(kDriversKeyPath, "{A}", "Alpha;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{B}", "Beta;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{C}", "Gamma;IviDmm;C;Other");
    registry.AddText(kDriversKeyPath, "{D}", "Delta;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{E}", "Epsilon;IviDmm;C;Acme");
    registry.AddText(kDriversKeyPath, "{A}", "Alpha;IviDmm;C;Acme", RegistryView::Bits64);
    registry.AddText(kDriversKeyPath, "{B}", "Beta;IviDmm;C;Acme", RegistryView::Bits64);
    if (c.refused) registry.RefuseDelete(kDriversKeyPath, "{B}");
    FakeInstaller installer;
    installer.SetInstalled("{A}");
    installer.SetProductState("{D}", 1);  // INSTALLSTATE_ADVERTISED
    installer.SetProductState("{E}", -2);
    RecordingSystem system(c.administrator);
    CommandOptions options;
    options.command = CommandName::Prune;
    options.selection.filters.manufacturer = "Acme";
    options.selection.productCodes = c.products;
    options.yes = !c.dryRun;
    options.dryRun = c.dryRun;

    EXPECT_EQ(RunCommand(options, registry, installer, system), c.exitCode);
    EXPECT_EQ(system.output, c.output);
    EXPECT_EQ(system.error.empty(), c.exitCode == 0) << system.error;
    EXPECT_EQ(registry.ValueNames(kDriversKeyPath), c.left32);
    EXPECT_EQ(registry.ValueNames(kDriversKeyPath, RegistryView::Bits64), c.left64);
    EXPECT_TRUE(installer.ConfigureCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, PruneRun, testing::ValuesIn(kPruneCases),
                         [](const testing::TestParamInfo<PruneCase>& c) { return c.param.name; });

}  // namespace
