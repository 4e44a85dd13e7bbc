#include "ManagerScenario.h"
#include "ProductTexts.h"
#include "res/resource.h"

namespace {
using ::testing::ElementsAre;

class WindowScenario : public ManagerScenario {};

TEST_F(WindowScenario, RemoveIsEnabledOnlyWhileLinesAreSelected) {
    AddSampleDrivers();
    Start();
    EXPECT_FALSE(m_driver->IsEnabled(IDC_REMOVE));

    m_driver->SelectLines({1});
    EXPECT_TRUE(m_driver->IsEnabled(IDC_REMOVE));
    m_driver->SelectLines({});
    EXPECT_FALSE(m_driver->IsEnabled(IDC_REMOVE));
    m_driver->SelectLines({0, 3});
    EXPECT_TRUE(m_driver->IsEnabled(IDC_REMOVE));

    // An error result of the selection count counts as no selection.
    m_driver->FailSelectionCount();
    m_driver->SelectLines({2});
    EXPECT_FALSE(m_driver->IsEnabled(IDC_REMOVE));
}

TEST_F(WindowScenario, RebuildingTheListKeepsTheRemoveButtonAsItWas) {
    AddSampleDrivers();
    Start();
    m_driver->SelectLines({1});

    m_driver->Click(IDC_REFRESH);
    EXPECT_TRUE(m_driver->SelectedLines().empty());
    EXPECT_TRUE(m_driver->IsEnabled(IDC_REMOVE));

    Choose(IDC_CLASS_FILTER, "DMM");
    EXPECT_TRUE(m_driver->IsEnabled(IDC_REMOVE));

    m_driver->SelectLines({});
    Choose(IDC_CLASS_FILTER, "Scope");
    EXPECT_FALSE(m_driver->IsEnabled(IDC_REMOVE));
}

TEST_F(WindowScenario, SelectedPlaceholderLeavesRemoveDisabled) {
    AddDriverKey();
    Start();

    m_driver->SelectLines({0});

    ASSERT_THAT(m_driver->SelectedLines(), ElementsAre(0));
    EXPECT_FALSE(m_driver->IsEnabled(IDC_REMOVE));
}

TEST_F(WindowScenario, DeleteWithThePlaceholderSelectedRemovesNothing) {
    AddDriverKey();
    Start();
    m_driver->SelectLines({0});

    m_driver->KeyDown(kVkDelete, 1, 0);

    EXPECT_TRUE(m_driver->MessageBoxes().empty());
    EXPECT_TRUE(m_installer.ConfigureCalls().empty());
    EXPECT_TRUE(m_driver->ClosedProgress().empty());
    EXPECT_THAT(Items(IDC_DRIVER_LIST), ElementsAre(product::kPlaceholderLine));
}

struct KeyCase {
    const char* name;
    unsigned keyCode;
    unsigned repeatCount;
    unsigned keyFlags;
    bool removes;
    bool refreshes;
    friend void PrintTo(const KeyCase& testCase, std::ostream* out) { *out << testCase.name; }
};

class KeyScenario : public ManagerScenario, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyScenario, OnlySoftwareDeleteAndF5WithFlagsZeroRunCommands) {
    AddSampleDrivers();
    Start();
    m_driver->SelectLines({2});
    const int opensBefore = m_registry.OpenCalls();

    m_driver->KeyDown(GetParam().keyCode, GetParam().repeatCount, GetParam().keyFlags);

    // A removal shows its confirmation (answered No); a refresh reads the registry and clears
    // the selection.
    EXPECT_EQ(m_driver->MessageBoxes().size(), GetParam().removes ? 1u : 0u);
    EXPECT_EQ(m_registry.OpenCalls() - opensBefore, GetParam().refreshes ? 1 : 0);
    EXPECT_EQ(m_driver->SelectedLines().empty(), GetParam().refreshes);
    EXPECT_TRUE(m_installer.ConfigureCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyScenario,
    ::testing::Values(KeyCase{"Delete", kVkDelete, 1, 0x0000, true, false},
                      KeyCase{"DeleteRepeatZero", kVkDelete, 0, 0x0000, true, false},
                      KeyCase{"DeleteRepeated", kVkDelete, 7, 0x0000, true, false},
                      KeyCase{"F5", kVkF5, 1, 0x0000, false, true},
                      KeyCase{"F5Repeated", kVkF5, 3, 0x0000, false, true},
                      KeyCase{"DeleteScanCode", kVkDelete, 1, 0x0053, false, false},
                      KeyCase{"DeleteExtended", kVkDelete, 1, 0x0100, false, false},
                      KeyCase{"DeleteKeyboard", kVkDelete, 1, 0x0153, false, false},
                      KeyCase{"DeleteContext", kVkDelete, 1, 0x2000, false, false},
                      KeyCase{"DeletePrevious", kVkDelete, 1, 0x4000, false, false},
                      KeyCase{"DeleteTransition", kVkDelete, 1, 0x8000, false, false},
                      KeyCase{"F5ScanCode", kVkF5, 1, 0x003F, false, false},
                      KeyCase{"F5Extended", kVkF5, 1, 0x0100, false, false},
                      KeyCase{"F5Previous", kVkF5, 1, 0x4000, false, false},
                      KeyCase{"F5Transition", kVkF5, 1, 0xC03F, false, false},
                      KeyCase{"Insert", 0x2D, 1, 0x0000, false, false},
                      KeyCase{"F4", 0x73, 1, 0x0000, false, false},
                      KeyCase{"F6", 0x75, 1, 0x0000, false, false},
                      KeyCase{"LetterR", 0x52, 1, 0x0000, false, false},
                      KeyCase{"DeleteInAHighWord", 0x12E, 1, 0x0000, false, false}),
    [](const ::testing::TestParamInfo<KeyCase>& caseInfo) { return caseInfo.param.name; });

TEST_F(WindowScenario, BothIconsComeFromOneHandle) {
    AddDriverKey();
    Start();

    const NativeHandle big = m_driver->WindowIcon(true);
    EXPECT_NE(big, nullptr);
    EXPECT_EQ(m_driver->WindowIcon(false), big);
    EXPECT_EQ(m_driver->QueryDragIcon(), big);
}

TEST_F(WindowScenario, InstallerIsMadeSilentLastWithTheWindowAsOwner) {
    AddSampleDrivers();
    std::vector<Line> linesSeen;
    std::vector<std::string> filtersSeen;
    m_installer.onSetInternalUi = [&] {
        linesSeen = Lines();
        for (int filter : {IDC_CLASS_FILTER, IDC_MANUFACTURER_FILTER, IDC_ADE_FILTER}) {
            filtersSeen.push_back(SelectedText(filter));
        }
    };

    Start();

    ASSERT_EQ(m_installer.UiCalls().size(), 1u);
    EXPECT_EQ(m_installer.UiCalls()[0].level, 2);
    EXPECT_NE(m_installer.UiCalls()[0].owner, nullptr);
    EXPECT_EQ(m_installer.UiCalls()[0].owner, m_manager->GetSafeHandle());
    EXPECT_EQ(linesSeen.size(), 5u);
    EXPECT_EQ(linesSeen, Lines());
    EXPECT_THAT(filtersSeen, ElementsAre("<All>", "<All>", "<All>"));
    EXPECT_TRUE(m_installer.ConfigureCalls().empty());
}

TEST_F(WindowScenario, StartingReadsTheRegistryOnce) {
    AddSampleDrivers();

    Start();

    EXPECT_EQ(m_registry.OpenCalls(), 1);
    EXPECT_EQ(m_registry.OpenKeys(), 0);
    EXPECT_TRUE(m_driver->MessageBoxes().empty());
}

}  // namespace
