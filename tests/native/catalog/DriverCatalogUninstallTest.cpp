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
    EXPECT_EQ(m_catalog.UninstallWithOutcome(2), RemovalOutcome::RemovedRestartRequired);
    EXPECT_EQ(m_catalog.UninstallWithOutcome(1), RemovalOutcome::Removed);
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

// A registration is the driver's value in every view that holds one; the other driver's values
// stay, and a view that refuses leaves its value and makes the deletion a failure.
struct DeletionCase {
    const char* name;
    bool in32;
    bool in64;
    long refused32;  // what the 32-bit view answers instead of deleting; 0: it deletes
    bool deleted;
    std::vector<std::string> left32;
    std::vector<std::string> left64;
};

const DeletionCase kDeletionCases[] = {
    {"OneViewOnly", true, false, 0, true, {"{keep}"}, {"{keep}"}},
    {"SixtyFourBitViewOnly", false, true, 0, true, {"{keep}"}, {"{keep}"}},
    {"BothViews", true, true, 0, true, {"{keep}"}, {"{keep}"}},
    {"RefusedInOneOfTwoViews",
     true,
     true,
     kRegistryAccessDenied,
     false,
     {"{keep}", "{gone}"},
     {"{keep}"}},
    {"RefusedInItsOnlyView",
     true,
     false,
     kRegistryAccessDenied,
     false,
     {"{keep}", "{gone}"},
     {"{keep}"}},
};

class CatalogDeletion : public CatalogTest, public testing::WithParamInterface<DeletionCase> {};

TEST_P(CatalogDeletion, DeletesTheValueInEveryViewThatHoldsIt) {
    const DeletionCase& c = GetParam();
    for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
        m_registry.AddText(kDriversKeyPath, "{keep}", "Kept;C;A;M", view);
    }
    if (c.in32) m_registry.AddText(kDriversKeyPath, "{gone}", "Gone;C;A;M");
    if (c.in64) m_registry.AddText(kDriversKeyPath, "{gone}", "Gone;C;A;M", RegistryView::Bits64);
    if (c.refused32 != 0) m_registry.RefuseDelete(kDriversKeyPath, "{gone}", c.refused32);
    ASSERT_EQ(m_catalog.Reload(), 2);
    ASSERT_STREQ(m_catalog.GetField(DriverField::ProductCode, 0), "{gone}");

    EXPECT_EQ(m_catalog.DeleteRegistration(0), c.deleted);

    EXPECT_EQ(m_registry.ValueNames(kDriversKeyPath), c.left32);
    EXPECT_EQ(m_registry.ValueNames(kDriversKeyPath, RegistryView::Bits64), c.left64);
    EXPECT_THAT(Rows(), ElementsAre("Gone/A/{gone}", "Kept/A/{keep}"));
    EXPECT_THAT(m_installer.ConfigureCalls(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Views, CatalogDeletion, testing::ValuesIn(kDeletionCases),
                         [](const testing::TestParamInfo<DeletionCase>& c) {
                             return c.param.name;
                         });

}  // namespace
