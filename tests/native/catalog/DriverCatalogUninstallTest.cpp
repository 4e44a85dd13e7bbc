#include <gtest/gtest.h>

#include "CatalogTesting.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

using CatalogUninstall = CatalogTest;

TEST_F(CatalogUninstall, EmptyCatalogReportsInvalidIndexWithoutCallingTheInstaller) {
    for (int index : {-1, 0, 1, 5}) {
        EXPECT_EQ(ErrorOf([&] { m_catalog.Uninstall(index); }), "Invalid index") << index;
    }
    EXPECT_THAT(m_installer.ConfigureCalls(), IsEmpty());
}

TEST_F(CatalogUninstall, IndexOutsideTheRecordsIsInvalidWithoutCallingTheInstaller) {
    Add("{1}", "N;C;A;M");
    ASSERT_EQ(m_catalog.Reload(), 1);
    EXPECT_EQ(ErrorOf([&] { m_catalog.Uninstall(-1); }), "Invalid index");
    EXPECT_EQ(ErrorOf([&] { m_catalog.Uninstall(1); }), "Invalid index");
    EXPECT_THAT(m_installer.ConfigureCalls(), IsEmpty());
}

TEST_F(CatalogUninstall, RemovesTheProductOfTheRecordAtTheSortedIndex) {
    Add("{b}", "B;C;A;M");
    Add("{a}", "A;C;A;M");
    ASSERT_EQ(m_catalog.Reload(), 2);
    EXPECT_FALSE(m_catalog.Uninstall(1));
    ASSERT_EQ(m_installer.ConfigureCalls().size(), 1u);
    const FakeInstaller::ConfigureCall& call = m_installer.ConfigureCalls()[0];
    EXPECT_EQ(call.productCode, "{b}");
    EXPECT_EQ(call.installLevel, 0);
    EXPECT_EQ(call.installState, 2);
    EXPECT_EQ(call.commandLine, "REBOOT=ReallySuppress MSIRESTARTMANAGERCONTROL=Disable");
}

TEST_F(CatalogUninstall, ReturnsTheInstallerVerdictAndKeepsTheRecords) {
    Add("{ok}", "Fine;C;A;M");
    Add("{fail}", "Broken;C;A;M");
    Add("{reboot}", "Pending;C;A;M");
    m_installer.SetResult("{fail}", 1603);
    m_installer.SetResult("{reboot}", 3010);
    ASSERT_EQ(m_catalog.Reload(), 3);

    EXPECT_TRUE(m_catalog.Uninstall(0));
    EXPECT_FALSE(m_catalog.Uninstall(1));
    EXPECT_FALSE(m_catalog.Uninstall(2));
    EXPECT_EQ(m_catalog.UninstallWithAnswer(2).outcome, RemovalOutcome::RemovedRestartRequired);
    EXPECT_EQ(m_catalog.UninstallWithAnswer(1).outcome, RemovalOutcome::Removed);
    EXPECT_THAT(m_installer.RequestedCodes(),
                ElementsAre("{fail}", "{ok}", "{reboot}", "{reboot}", "{ok}"));
    EXPECT_THAT(Rows(), ElementsAre("Broken/A/{fail}", "Fine/A/{ok}", "Pending/A/{reboot}"));
}

TEST_F(CatalogUninstall, AnEmptyProductCodeIsPassedAsEmptyText) {
    Add("", "Nameless;C;A;M");
    m_installer.SetResult("", 87);
    ASSERT_EQ(m_catalog.Reload(), 1);
    EXPECT_TRUE(m_catalog.Uninstall(0));
    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre(""));
}

}  // namespace
