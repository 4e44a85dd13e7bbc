#include "IviStoreText.h"
#include "ManagerScenario.h"
#include "ProductTexts.h"
#include "res/resource.h"

namespace {
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Box = UiDriver::MessageBoxSeen;

const char kStore[] = "C:\\ProgramData\\IVI Foundation\\IVI\\IviConfigurationStore.xml";
const char kGammaInUse[] = "Gamma (logical names: DMM1; driver sessions: DmmBench)\n";

// What the removal of Gamma leaves in the store, and what the window then says of it.
struct LeftoverCase {
    const char* name;
    int answer;  // to the question about the uses
    IviStoreParts after;
    std::string stillHeld;  // the line of the box that follows the summary; empty: no box
    friend void PrintTo(const LeftoverCase& testCase, std::ostream* out) { *out << testCase.name; }
};

IviStoreParts ModuleDeleted() {
    IviStoreParts parts;
    parts.modules = "";
    return parts;
}

// The sample drivers; Gamma's product installed the module kdmm, which a session and a logical
// name use.
class IviScenario : public ManagerScenario, public ::testing::WithParamInterface<LeftoverCase> {
protected:
    void SetUp() override {
        AddSampleDrivers();
        m_registry.AddText("SOFTWARE\\IVI\\CONFIGURATIONSERVER", "MasterStore", kStore);
        m_registry.AddText("SOFTWARE\\IVI", "IviStandardRootDir", "C:\\IVI");
        m_ivi.files[kStore] = IviStoreText();
        m_ivi.productFiles[kGammaCode] = {"C:\\IVI\\Bin\\kdmm_32.dll"};
        Start();
    }
};

TEST_P(IviScenario, UsedDriversAreAskedAboutAndWhatStaysIsSaid) {
    const LeftoverCase& c = GetParam();
    m_installer.onConfigure = [&](const std::string&) {
        m_ivi.files[kStore] = IviStoreText(c.after);
    };
    const int storeReads = m_ivi.reads;
    m_driver->SelectLines({0, 2});
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->QueueMessageBoxAnswer(c.answer);

    m_driver->Click(IDC_REMOVE);

    std::vector<Box> boxes = {
        {product::kConfirmSeveral, product::kConfirmCaption, product::kConfirmStyle},
        {product::InUse(kGammaInUse), product::kConfirmCaption, product::kInUseStyle}};
    if (c.answer == kIdYes) {
        boxes.push_back({product::kAllRemoved, m_driver->ApplicationName(), kMbOk});
        if (!c.stillHeld.empty()) {
            boxes.push_back({product::StillHeld(c.stillHeld), m_driver->ApplicationName(),
                             product::kInformationStyle});
        }
        EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre("{ALPHA}", kGammaCode));
        EXPECT_EQ(m_ivi.reads, storeReads + 2);
    } else {
        EXPECT_TRUE(m_installer.ConfigureCalls().empty());
        EXPECT_EQ(m_driver->SelectedLines(), (std::vector<int>{0, 2}));
    }
    EXPECT_THAT(m_driver->MessageBoxes(), ElementsAreArray(boxes));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, IviScenario,
    ::testing::Values(LeftoverCase{"No", kIdNo, {}, ""},
                      LeftoverCase{"YesAndTheModuleGoes", kIdYes, ModuleDeleted(),
                                   "Gamma (driver sessions: DmmBench; logical names: DMM1)\n"},
                      LeftoverCase{"YesAndTheStoreIsClean", kIdYes, {"", "", ""}, ""}),
    [](const ::testing::TestParamInfo<LeftoverCase>& caseInfo) { return caseInfo.param.name; });

using IviStartScenario = IviScenario;

// Reading the store waits for a removal: starting, filtering and Refresh leave it alone, and so
// does a driver that nothing uses, which is removed after the first question alone.
TEST_F(IviStartScenario, OnlyARemovalReadsTheStore) {
    Choose(IDC_CLASS_FILTER, "DMM");
    m_driver->Click(IDC_REFRESH);
    EXPECT_EQ(m_ivi.reads, 0);
    SelectLinesNamed({"Alpha\tC"});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    EXPECT_EQ(m_ivi.reads, 1);
    EXPECT_THAT(m_driver->MessageBoxes(),
                ElementsAre(Box{product::ConfirmOne("Alpha"), product::kConfirmCaption,
                                product::kConfirmStyle},
                            Box{product::kAllRemoved, m_driver->ApplicationName(), kMbOk}));
}

}  // namespace
