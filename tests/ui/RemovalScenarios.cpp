#include <algorithm>
#include <map>
#include <set>

#include "ManagerScenario.h"
#include "ProductTexts.h"
#include "catalog/DriverCatalog.h"
#include "res/resource.h"

namespace {
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Box = UiDriver::MessageBoxSeen;
using Progress = UiDriver::ProgressSeen;

using product::kAllRemoved;
using product::kConfirmCaption;
using product::kConfirmSeveral;
using product::kConfirmStyle;
using product::kErrorStyle;
using product::kSomeNotRemoved;
constexpr unsigned kInstallerFailure = 1603;

Box ConfirmOne(const std::string& name) {
    return {product::ConfirmOne(name), kConfirmCaption, kConfirmStyle};
}

Box Failure(const std::string& name) {
    return {product::NotRemoved(name), product::kFailureCaption, kErrorStyle};
}

Progress Bar(int high, int position) { return {true, 0, high, position}; }

// The sample drivers in list order, as lines and product codes.
const char* const kLines[] = {"Alpha\tC", "beta\tLabVIEW", "Gamma\tLabVIEW", "Scope\tC",
                              "Scope\tLabVIEW"};
const char* const kCodes[] = {"{ALPHA}", "{BETA}", ManagerScenario::kGammaCode, "{SCOPE-C}",
                              "{SCOPE-LV}"};
const char* const kNames[] = {"Alpha", "beta", "Gamma", "Scope", "Scope"};

class RemovalScenario : public ManagerScenario {
protected:
    // What the window showed while the installer was removing one product.
    struct Step {
        std::string code;
        std::size_t boxesBefore;
        Progress progress;
        std::string driverText;
        std::string actionText;
    };

    void SetUp() override {
        AddSampleDrivers();
        for (const char* code : kCodes) m_installer.SetInstalled(code);
        m_installer.onConfigure = [this](const std::string& code) {
            m_steps.push_back({code, m_driver->MessageBoxes().size(), m_driver->Progress(),
                               m_driver->ProgressText(IDC_PROGRESS_DRIVER),
                               m_driver->ProgressText(IDC_PROGRESS_ACTION)});
        };
        Start();
    }

    std::vector<std::string> LineTexts() { return Items(IDC_DRIVER_LIST); }

    void ExpectNothingHappened(const std::vector<std::string>& linesBefore) {
        EXPECT_TRUE(m_installer.ConfigureCalls().empty());
        EXPECT_TRUE(m_driver->ClosedProgress().empty());
        EXPECT_FALSE(m_driver->Progress().exists);
        EXPECT_EQ(LineTexts(), linesBefore);
    }

    std::vector<Step> m_steps;
};

TEST_F(RemovalScenario, NothingSelectedDoesNothing) {
    SelectLinesNamed({"Alpha\tC"});
    m_driver->Click(IDC_REFRESH);
    // Refresh cleared the selection without notifying, so Remove is still enabled.
    ASSERT_TRUE(m_driver->IsEnabled(IDC_REMOVE));
    const std::vector<std::string> before = LineTexts();

    m_driver->Click(IDC_REMOVE);
    m_driver->KeyDown(kVkDelete, 1, 0);

    EXPECT_TRUE(m_driver->MessageBoxes().empty());
    ExpectNothingHappened(before);
}

struct DeclineCase {
    const char* name;
    std::vector<int> lines;
    int answer;  // 0: none queued
    Box confirmation;
    friend void PrintTo(const DeclineCase& testCase, std::ostream* out) { *out << testCase.name; }
};

class DeclineScenario : public RemovalScenario,
                        public ::testing::WithParamInterface<DeclineCase> {};

TEST_P(DeclineScenario, AnythingButYesChangesNothing) {
    m_driver->SelectLines(GetParam().lines);
    const std::vector<std::string> before = LineTexts();
    if (GetParam().answer != 0) m_driver->QueueMessageBoxAnswer(GetParam().answer);

    m_driver->Click(IDC_REMOVE);

    EXPECT_THAT(m_driver->MessageBoxes(), ElementsAre(GetParam().confirmation));
    ExpectNothingHappened(before);
    EXPECT_EQ(m_driver->SelectedLines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DeclineScenario,
    ::testing::Values(DeclineCase{"OneLineNo", {2}, kIdNo, ConfirmOne("Gamma")},
                      DeclineCase{"OneLineUnanswered", {4}, 0, ConfirmOne("Scope")},
                      DeclineCase{"SeveralLinesNo",
                                  {0, 3},
                                  kIdNo,
                                  {kConfirmSeveral, kConfirmCaption, kConfirmStyle}}),
    [](const ::testing::TestParamInfo<DeclineCase>& caseInfo) { return caseInfo.param.name; });

TEST_F(RemovalScenario, OneConfirmedLineIsRemoved) {
    m_driver->SelectLines({2});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    EXPECT_THAT(
        m_driver->MessageBoxes(),
        ElementsAre(ConfirmOne("Gamma"), Box{kAllRemoved, m_driver->ApplicationName(), kMbOk}));
    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre(kGammaCode));
    EXPECT_THAT(LineTexts(),
                ElementsAre("Alpha\tC", "beta\tLabVIEW", "Scope\tC", "Scope\tLabVIEW"));
    ASSERT_EQ(m_steps.size(), 1u);
    EXPECT_EQ(m_steps[0].boxesBefore, 1u);
    EXPECT_EQ(m_steps[0].progress, Bar(1, 0));
    EXPECT_THAT(m_driver->ClosedProgress(), ElementsAre(Bar(1, 1)));
    EXPECT_FALSE(m_driver->Progress().exists);
}

TEST_F(RemovalScenario, AdjacentSelectedLinesAreBothRemoved) {
    m_driver->SelectLines({1, 2, 4});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    EXPECT_THAT(m_driver->MessageBoxes(),
                ElementsAre(Box{kConfirmSeveral, kConfirmCaption, kConfirmStyle},
                            Box{kAllRemoved, m_driver->ApplicationName(), kMbOk}));
    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre("{BETA}", kGammaCode, "{SCOPE-LV}"));
    EXPECT_THAT(LineTexts(), ElementsAre("Alpha\tC", "Scope\tC"));
    EXPECT_TRUE(m_driver->SelectedLines().empty());
    // Deleting lines sends no selection change, so Remove stays as it was.
    EXPECT_TRUE(m_driver->IsEnabled(IDC_REMOVE));
}

TEST_F(RemovalScenario, MiddleFailureIsReportedBetweenItsNeighbours) {
    m_installer.SetResult(kGammaCode, kInstallerFailure);
    m_installer.SetActions("{ALPHA}", {"Removing files", "Updating component registration"});
    m_driver->SelectLines({0, 2, 3});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    EXPECT_THAT(m_driver->MessageBoxes(),
                ElementsAre(Box{kConfirmSeveral, kConfirmCaption, kConfirmStyle}, Failure("Gamma"),
                            Box{kSomeNotRemoved, m_driver->ApplicationName(), kErrorStyle}));
    ASSERT_EQ(m_steps.size(), 3u);
    EXPECT_EQ(m_steps[0].code, "{ALPHA}");
    EXPECT_EQ(m_steps[1].code, kGammaCode);
    EXPECT_EQ(m_steps[2].code, "{SCOPE-C}");
    // The failure box comes after the first removal and before the third.
    EXPECT_EQ(m_steps[1].boxesBefore, 1u);
    EXPECT_EQ(m_steps[2].boxesBefore, 2u);
    EXPECT_EQ(m_steps[0].progress, Bar(3, 0));
    EXPECT_EQ(m_steps[1].progress, Bar(3, 1));
    EXPECT_EQ(m_steps[2].progress, Bar(3, 2));
    EXPECT_THAT(m_driver->ClosedProgress(), ElementsAre(Bar(3, 3)));
    EXPECT_FALSE(m_driver->Progress().exists);
    // Each driver by name and place; the installer's latest action, cleared between drivers.
    EXPECT_EQ(m_steps[0].driverText, product::Uninstalling("Alpha", 1, 3));
    EXPECT_EQ(m_steps[1].driverText, product::Uninstalling("Gamma", 2, 3));
    EXPECT_EQ(m_steps[2].driverText, product::Uninstalling("Scope", 3, 3));
    EXPECT_EQ(m_steps[0].actionText, "Updating component registration");
    EXPECT_EQ(m_steps[1].actionText, "");

    EXPECT_THAT(LineTexts(), ElementsAre("beta\tLabVIEW", "Gamma\tLabVIEW", "Scope\tLabVIEW"));
    EXPECT_THAT(m_driver->SelectedLines(), ElementsAre(1));
}

TEST_F(RemovalScenario, ProgressWindowIsOpenOnlyDuringThePass) {
    m_installer.SetResult(kGammaCode, kInstallerFailure);
    m_driver->SelectLines({2, 3});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    std::vector<bool> duringProgress;
    for (const Box& box : m_driver->MessageBoxes()) duringProgress.push_back(box.duringProgress);
    // Confirmation, failure, summary.
    EXPECT_THAT(duringProgress, ElementsAre(false, true, false));
    EXPECT_EQ(m_driver->ClosedProgress().size(), 1u);
    EXPECT_FALSE(m_driver->Progress().exists);
}

TEST_F(RemovalScenario, SecondRemoveRetriesOnlyTheFailedLines) {
    m_installer.SetResult("{BETA}", kInstallerFailure);
    m_installer.SetResult("{SCOPE-LV}", kInstallerFailure);
    m_driver->SelectLines({0, 1, 2, 4});
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->Click(IDC_REMOVE);
    ASSERT_THAT(m_driver->SelectedLines(), ElementsAre(0, 2));

    m_installer.SetResult("{BETA}", 0);
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->Click(IDC_REMOVE);

    EXPECT_THAT(m_installer.RequestedCodes(),
                ElementsAre("{ALPHA}", "{BETA}", kGammaCode, "{SCOPE-LV}", "{BETA}", "{SCOPE-LV}"));
    EXPECT_THAT(BoxTexts(), ElementsAre(kConfirmSeveral, Failure("beta").text,
                                        Failure("Scope").text, kSomeNotRemoved, kConfirmSeveral,
                                        Failure("Scope").text, kSomeNotRemoved));
    EXPECT_THAT(LineTexts(), ElementsAre("Scope\tC", "Scope\tLabVIEW"));
    EXPECT_THAT(m_driver->SelectedLines(), ElementsAre(1));
    EXPECT_THAT(m_driver->ClosedProgress(), ElementsAre(Bar(4, 4), Bar(2, 2)));
}

TEST_F(RemovalScenario, RetryOfOneFailedLineNamesItsDriver) {
    m_installer.SetResult(kGammaCode, kInstallerFailure);
    m_driver->SelectLines({2, 3});
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->Click(IDC_REMOVE);

    m_installer.SetResult(kGammaCode, 0);
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->Click(IDC_REMOVE);

    const std::vector<Box> boxes = m_driver->MessageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[3], ConfirmOne("Gamma"));
    EXPECT_EQ(boxes[4], (Box{kAllRemoved, m_driver->ApplicationName(), kMbOk}));
    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre(kGammaCode, "{SCOPE-C}", kGammaCode));
    EXPECT_THAT(LineTexts(), ElementsAre("Alpha\tC", "beta\tLabVIEW", "Scope\tLabVIEW"));
}

TEST_F(RemovalScenario, WindowTakesNoInputAndRunsNoCommandDuringThePass) {
    m_installer.SetResult(kGammaCode, kInstallerFailure);
    std::vector<bool> managerEnabled;
    std::vector<std::vector<std::string>> linesSeen;
    m_installer.onConfigure = [&](const std::string&) {
        managerEnabled.push_back(m_driver->IsManagerEnabled());
        linesSeen.push_back(LineTexts());
        // Refresh and Remove again, which must wait for the end of this pass.
        m_driver->KeyDown(kVkF5, 1, 0);
        m_driver->KeyDown(kVkDelete, 1, 0);
    };
    m_driver->SelectLines({0, 2, 3});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre("{ALPHA}", kGammaCode, "{SCOPE-C}"));
    // Disabled again after the failure box, which enables its owner when it closes.
    EXPECT_THAT(managerEnabled, ElementsAre(false, false, false));
    const std::vector<std::string> afterAlpha = {"beta\tLabVIEW", "Gamma\tLabVIEW", "Scope\tC",
                                                 "Scope\tLabVIEW"};
    EXPECT_THAT(linesSeen, ElementsAre(ElementsAreArray(kLines), afterAlpha, afterAlpha));
    EXPECT_THAT(BoxTexts(), ElementsAre(kConfirmSeveral, Failure("Gamma").text, kSomeNotRemoved));
    EXPECT_TRUE(m_driver->IsManagerEnabled());
}

struct FailurePattern {
    const char* name;
    std::set<int> failing;  // positions in the list of all five lines
    friend void PrintTo(const FailurePattern& testCase, std::ostream* out) {
        *out << testCase.name;
    }
};

class FailurePatternScenario : public RemovalScenario,
                               public ::testing::WithParamInterface<FailurePattern> {};

TEST_P(FailurePatternScenario, EverySelectedLineIsTriedOnceInListOrder) {
    const std::set<int>& failing = GetParam().failing;
    for (int line : failing) m_installer.SetResult(kCodes[line], kInstallerFailure);
    m_driver->SelectLines({0, 1, 2, 3, 4});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    std::vector<Box> boxes = {{kConfirmSeveral, kConfirmCaption, kConfirmStyle}};
    std::vector<std::string> remaining;
    std::vector<int> selected;
    for (int line : failing) {
        boxes.push_back(Failure(kNames[line]));
        selected.push_back(static_cast<int>(remaining.size()));
        remaining.push_back(kLines[line]);
    }
    boxes.push_back(failing.empty()
                        ? Box{kAllRemoved, m_driver->ApplicationName(), kMbOk}
                        : Box{kSomeNotRemoved, m_driver->ApplicationName(), kErrorStyle});

    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAreArray(kCodes));
    EXPECT_THAT(m_driver->MessageBoxes(), ElementsAreArray(boxes));
    EXPECT_EQ(LineTexts(), remaining);
    EXPECT_EQ(m_driver->SelectedLines(), selected);
    ASSERT_EQ(m_steps.size(), 5u);
    for (int step = 0; step < 5; ++step) {
        EXPECT_EQ(m_steps[static_cast<std::size_t>(step)].progress, Bar(5, step))
            << "step " << step;
    }
    EXPECT_THAT(m_driver->ClosedProgress(), ElementsAre(Bar(5, 5)));
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FailurePatternScenario,
    ::testing::Values(FailurePattern{"NoneFails", {}}, FailurePattern{"FirstFails", {0}},
                      FailurePattern{"LastFails", {4}}, FailurePattern{"AdjacentFail", {1, 2}},
                      FailurePattern{"AlternateFail", {0, 2, 4}},
                      FailurePattern{"AllFail", {0, 1, 2, 3, 4}}),
    [](const ::testing::TestParamInfo<FailurePattern>& caseInfo) { return caseInfo.param.name; });

// Installer answers beyond plain success and failure: a removal that needs a restart is a
// removal, and a busy installer is asked again until it answers otherwise. The installer's log of
// each failure is kept, and where they are is said after the summary.
struct OutcomeCase {
    const char* name;
    std::map<int, std::vector<unsigned>> results;  // by line; unlisted lines answer 0
    std::set<int> failing;
    bool restartNotice;
    bool logFolderRefused = false;
    friend void PrintTo(const OutcomeCase& testCase, std::ostream* out) { *out << testCase.name; }
};

// One case of `Case` each, with the installer's logs of failures kept.
template <typename Case>
class LoggedScenario : public RemovalScenario, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        m_keepLogs = true;
        RemovalScenario::SetUp();
    }
};

using OutcomeScenario = LoggedScenario<OutcomeCase>;

TEST_P(OutcomeScenario, RestartsCountAsRemovedAndAreAnnouncedOnceAtTheEnd) {
    for (const auto& [line, results] : GetParam().results) {
        m_installer.SetResults(kCodes[line], results);
    }
    m_logFiles.refuseFolder = GetParam().logFolderRefused;
    m_driver->SelectLines({0, 1, 2, 3, 4});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    const std::set<int>& failing = GetParam().failing;
    std::vector<Box> boxes = {{kConfirmSeveral, kConfirmCaption, kConfirmStyle}};
    std::vector<std::string> remaining;
    for (int line : failing) {
        boxes.push_back(Failure(kNames[line]));
        remaining.push_back(kLines[line]);
    }
    boxes.push_back(failing.empty()
                        ? Box{kAllRemoved, m_driver->ApplicationName(), kMbOk}
                        : Box{kSomeNotRemoved, m_driver->ApplicationName(), kErrorStyle});
    const bool logsKept = !failing.empty() && !GetParam().logFolderRefused;
    if (logsKept) {
        boxes.push_back({product::LogsAreIn(FakeLogFiles::kFolder), m_driver->ApplicationName(),
                         product::kInformationStyle});
    }
    if (GetParam().restartNotice) {
        boxes.push_back(
            {product::kRestartNeeded, m_driver->ApplicationName(), product::kInformationStyle});
    }
    EXPECT_THAT(m_driver->MessageBoxes(), ElementsAreArray(boxes));
    EXPECT_EQ(LineTexts(), remaining);
    EXPECT_THAT(m_driver->ClosedProgress(), ElementsAre(Bar(5, 5)));
    EXPECT_EQ(m_logFiles.files.size(), logsKept ? failing.size() : 0u);
}

constexpr unsigned kBusy = 1618;

INSTANTIATE_TEST_SUITE_P(
    Outcomes, OutcomeScenario,
    ::testing::Values(
        OutcomeCase{"RestartRequired", {{1, {3010}}}, {}, true},
        OutcomeCase{"TwoRestartsOneNotice", {{0, {1641}}, {4, {3010}}}, {}, true},
        OutcomeCase{"RestartBesideAFailure", {{1, {3010}}, {3, {kInstallerFailure}}}, {3}, true},
        OutcomeCase{"TwoFailuresTwoLogs", {{0, {1603}}, {4, {1605}}}, {0, 4}, false},
        OutcomeCase{"FailureWithoutALogFolder", {{1, {3010}}, {3, {1603}}}, {3}, true, true},
        OutcomeCase{"BusyThenRemoved", {{2, {kBusy, kBusy, 0}}}, {}, false},
        OutcomeCase{"BusyThenRestart", {{2, {kBusy, 3010}}}, {}, true},
        OutcomeCase{"BusyUntilTheWaitRunsOut", {{2, {kBusy}}}, {2}, false}),
    [](const ::testing::TestParamInfo<OutcomeCase>& caseInfo) { return caseInfo.param.name; });

// Cancel in the progress window while Alpha, Gamma and Scope (C) are removed, during the removal
// of `cancelAt`. The installer honours a cancel (Windows) or finishes first (as Wine's does).
struct StopCase {
    const char* name;
    const char* cancelAt;
    int answer;
    bool installerHonoursCancel;
    // What became of each of the three: Removed, Failed, Cancelled or not tried (-).
    const char* outcomes;
    // What a failing removal answers: 1602 is the package giving up by itself.
    unsigned failure = kInstallerFailure;
    friend void PrintTo(const StopCase& testCase, std::ostream* out) { *out << testCase.name; }
};

using StopScenario = LoggedScenario<StopCase>;

TEST_P(StopScenario, CancelStopsThePassAndLeavesTheRestSelected) {
    const StopCase& stop = GetParam();
    const int selectedLines[] = {0, 2, 3};
    std::vector<Box> boxes = {{kConfirmSeveral, kConfirmCaption, kConfirmStyle}};
    std::vector<std::string> requested;
    std::vector<std::string> lines;
    std::vector<int> selected;
    std::vector<Box> failedAfterTheQuestion;
    std::size_t failures = 0;
    for (int line = 0, at = 0; line < 5; ++line) {
        const char outcome = at < 3 && line == selectedLines[at] ? stop.outcomes[at++] : ' ';
        if (outcome == 'F') {
            m_installer.SetResult(kCodes[line], stop.failure);
            (kCodes[line] == std::string(stop.cancelAt) ? failedAfterTheQuestion : boxes)
                .push_back(Failure(kNames[line]));
            ++failures;
        }
        if (outcome == 'R' || outcome == 'F' || outcome == 'C') requested.push_back(kCodes[line]);
        if (outcome == 'R') continue;
        if (outcome != ' ') selected.push_back(static_cast<int>(lines.size()));
        lines.push_back(kLines[line]);
    }
    const bool stopped = std::string(stop.outcomes).find_first_of("C-") != std::string::npos;
    m_installer.HonourCancel(stop.installerHonoursCancel);
    m_installer.onConfigure = [&](const std::string& code) {
        if (code != stop.cancelAt) return;
        m_driver->QueueMessageBoxAnswer(stop.answer);
        m_driver->ClickInProgress(kIdCancel);
    };
    m_driver->SelectLines({0, 2, 3});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    const std::size_t question = boxes.size();
    boxes.push_back({product::kStopQuestion, kConfirmCaption, product::kStopStyle});
    boxes.insert(boxes.end(), failedAfterTheQuestion.begin(), failedAfterTheQuestion.end());
    if (stopped) {
        boxes.push_back(
            {product::kStopped, m_driver->ApplicationName(), product::kInformationStyle});
    } else {
        boxes.push_back({kAllRemoved, m_driver->ApplicationName(), kMbOk});
    }
    if (failures != 0) {
        boxes.push_back({product::LogsAreIn(FakeLogFiles::kFolder), m_driver->ApplicationName(),
                         product::kInformationStyle});
    }
    const std::vector<Box> shown = m_driver->MessageBoxes();
    EXPECT_THAT(shown, ElementsAreArray(boxes));
    ASSERT_EQ(shown.size(), boxes.size());
    EXPECT_TRUE(shown[question].ownedByProgress);
    EXPECT_EQ(m_installer.RequestedCodes(), requested);
    EXPECT_EQ(m_installer.CancelRequests(), stop.answer == kIdYes ? 1 : 0);
    EXPECT_EQ(LineTexts(), lines);
    EXPECT_EQ(m_driver->SelectedLines(), selected);
    // The bar steps for each driver removed or failed, never for a cancelled one.
    EXPECT_THAT(m_driver->ClosedProgress(),
                ElementsAre(Bar(3, static_cast<int>(5 - lines.size() + failures))));
    // A cancelled removal is no failure to diagnose: only failures keep their logs.
    EXPECT_EQ(m_logFiles.files.size(), failures);
    if (!stopped) return;

    // The next pass starts afresh: the stop is not carried into it.
    m_installer.onConfigure = nullptr;
    for (const std::string& code : requested) m_installer.SetResult(code, 0);
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->Click(IDC_REMOVE);
    EXPECT_EQ(m_installer.RequestedCodes().size(), requested.size() + selected.size());
    EXPECT_TRUE(m_driver->SelectedLines().empty());
    EXPECT_EQ(BoxTexts().back(), kAllRemoved);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, StopScenario,
    ::testing::Values(
        StopCase{"YesCancelsTheRemovalUnderWay", kCodes[2], kIdYes, true, "RC-"},
        StopCase{"YesAfterTheRemovalEndedStopsTheNext", kCodes[2], kIdYes, false, "RR-"},
        StopCase{"YesAfterTheLastRemovalEndedChangesNothing", "{SCOPE-C}", kIdYes, false, "RRR"},
        StopCase{"NoGoesOn", kCodes[2], kIdNo, true, "RRR"},
        StopCase{"StoppedAfterAFailure", kCodes[2], kIdYes, true, "FC-"},
        // Yes came as the package gave up by itself: its 1602 is no cancel the installer was
        // given, but a failure with its box and log, and the pass stops after it.
        StopCase{"PackagesOwnUserExitAsYesIsGivenIsAFailure", kCodes[2], kIdYes, false, "RF-",
                 1602}),
    [](const ::testing::TestParamInfo<StopCase>& caseInfo) { return caseInfo.param.name; });

// A driver whose product is gone (the installer answers 1605 and knows nothing of it), removed
// together with one that goes: the user is asked whether to forget it.
struct ForgetCase {
    const char* name;
    int answer;     // to the question
    long deletion;  // what the registry answers to its deletion
    friend void PrintTo(const ForgetCase& testCase, std::ostream* out) { *out << testCase.name; }
};

using ForgetScenario = LoggedScenario<ForgetCase>;

TEST_P(ForgetScenario, YesForgetsTheDriverNoKeepsItSelected) {
    const ForgetCase& c = GetParam();
    m_installer.SetResult(kGammaCode, 1605);
    m_installer.SetProductState(kGammaCode, -1);  // INSTALLSTATE_UNKNOWN
    if (c.deletion != kRegistrySuccess)
        m_registry.RefuseDelete(kDriversKeyPath, kGammaCode, c.deletion);
    m_driver->SelectLines({0, 2});
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->QueueMessageBoxAnswer(c.answer);

    m_driver->Click(IDC_REMOVE);

    const bool forgotten = c.answer == kIdYes && c.deletion == kRegistrySuccess;
    std::vector<Box> boxes = {
        {kConfirmSeveral, kConfirmCaption, kConfirmStyle},
        {product::NotInstalled("Gamma"), product::kNotInstalledCaption, kConfirmStyle}};
    std::vector<std::string> lines = {"beta\tLabVIEW", "Gamma\tLabVIEW", "Scope\tC",
                                      "Scope\tLabVIEW"};
    if (forgotten) {
        boxes.push_back({kAllRemoved, m_driver->ApplicationName(), kMbOk});
        lines.erase(lines.begin() + 1);
    } else {
        // Only a Yes that deleted nothing is reported as a failure of its own.
        if (c.answer == kIdYes) boxes.push_back(Failure("Gamma"));
        boxes.push_back({kSomeNotRemoved, m_driver->ApplicationName(), kErrorStyle});
        boxes.push_back({product::LogsAreIn(FakeLogFiles::kFolder), m_driver->ApplicationName(),
                         product::kInformationStyle});
    }
    EXPECT_THAT(m_driver->MessageBoxes(), ElementsAreArray(boxes));
    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre("{ALPHA}", kGammaCode));
    const std::vector<std::string> names = m_registry.ValueNames(kDriversKeyPath);
    EXPECT_EQ(std::count(names.begin(), names.end(), kGammaCode), forgotten ? 0 : 1);
    EXPECT_EQ(names.size(), forgotten ? 4u : 5u);
    EXPECT_EQ(LineTexts(), lines);
    EXPECT_EQ(m_driver->SelectedLines(), forgotten ? std::vector<int>{} : std::vector<int>{1});
    EXPECT_THAT(m_driver->ClosedProgress(), ElementsAre(Bar(2, 2)));
    // A forgotten driver counts as removed: no log of it is kept.
    EXPECT_EQ(m_logFiles.files.size(), forgotten ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ForgetScenario,
    ::testing::Values(ForgetCase{"Yes", kIdYes, kRegistrySuccess},
                      ForgetCase{"No", kIdNo, kRegistrySuccess},
                      ForgetCase{"YesButTheValueStays", kIdYes, kRegistryAccessDenied},
                      // Deleted meanwhile by someone else.
                      ForgetCase{"YesButNoViewHoldsItAnyMore", kIdYes, kRegistryFileNotFound}),
    [](const ::testing::TestParamInfo<ForgetCase>& caseInfo) { return caseInfo.param.name; });

TEST_F(RemovalScenario, UnselectedLinesAboveAndBetweenAreLeftAlone) {
    m_driver->SelectLines({1, 3});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre("{BETA}", "{SCOPE-C}"));
    EXPECT_THAT(LineTexts(), ElementsAre("Alpha\tC", "Gamma\tLabVIEW", "Scope\tLabVIEW"));
}

TEST_F(RemovalScenario, RemovalWorksOnTheFilteredList) {
    Choose(IDC_ADE_FILTER, "LabVIEW");
    ASSERT_THAT(LineTexts(), ElementsAre("beta", "Gamma", "Scope"));
    m_driver->SelectLines({2});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    EXPECT_EQ(m_driver->MessageBoxes().front(), ConfirmOne("Scope"));
    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre("{SCOPE-LV}"));
    EXPECT_THAT(LineTexts(), ElementsAre("beta", "Gamma"));
}

}  // namespace
