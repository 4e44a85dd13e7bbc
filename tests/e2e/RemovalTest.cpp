#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CalvornCmdProcess.h"
#include "CalvornTest.h"
#include "IviStoreText.h"
#include "MessageBoxes.h"
#include "Polling.h"
#include "ProductTexts.h"
#include "RemoteWindows.h"
#include "SampleDrivers.h"
#include "res/resource.h"

namespace {

using Lines = std::vector<std::string>;

struct ExpectedBox {
    const char* caption;
    std::string text;
    const char* icon;
    std::vector<int> buttons;
};

const std::vector<int> kYesNo = {IDYES, IDNO};
const std::vector<int> kOk = {IDOK};

ExpectedBox Confirmation(const std::string& text) {
    return {product::kConfirmCaption, text, "question", kYesNo};
}
ExpectedBox Failure(const std::string& name) {
    return {product::kFailureCaption, product::NotRemoved(name), "error", kOk};
}
ExpectedBox NotInstalled(const std::string& name) {
    return {product::kNotInstalledCaption, product::NotInstalled(name), "question", kYesNo};
}
const ExpectedBox kAllRemoved = {product::kAppName, product::kAllRemoved, "none", kOk};
const ExpectedBox kSomeFailed = {product::kAppName, product::kSomeNotRemoved, "error", kOk};
const char* const kSeveralQuestion = product::kConfirmSeveral;
const ExpectedBox kRestartNotice = {product::kAppName, product::kRestartNeeded, "information", kOk};

Lines Without(Lines lines, const Lines& removed) {
    for (const std::string& line : removed) {
        lines.erase(std::find(lines.begin(), lines.end(), line));
    }
    return lines;
}

class RemovalTest : public CalvornTest {
protected:
    // Waits for the next message box, checks it against `expected` and presses `answer`.
    void ExpectBoxAndAnswer(const ExpectedBox& expected, int answer) {
        const ShownMessageBox box = WaitForMessageBox(m_calvorn.Id(), m_manager.Handle());
        ASSERT_NE(box.window, nullptr) << "no message box: " << expected.text;
        EXPECT_EQ(box.owner, m_manager.Handle());
        EXPECT_EQ(box.caption, expected.caption);
        EXPECT_EQ(box.text, expected.text);
        EXPECT_EQ(box.icon, expected.icon);
        EXPECT_EQ(box.buttons, expected.buttons);
        ASSERT_TRUE(Answer(box, answer));
    }

    std::vector<HWND> ProgressWindows() const {
        return TopLevelWindows(m_calvorn.Id(), product::kProgressCaption);
    }
};

TEST_F(RemovalTest, RemovesOneSelectedDriverAt32Or64Bits) {
    // An x86 package, then an x64 one that registered in the 64-bit view.
    Lines removed;
    for (const char* name : {"Kestrel KP2200 DC Supply", "Norvik NS80 Switch Matrix"}) {
        SCOPED_TRACE(name);
        const Lines chosen = {std::string(name) + "\tC"};
        ASSERT_TRUE(m_manager.SelectLines(chosen));
        m_manager.ClickRemove();
        ExpectBoxAndAnswer(Confirmation(product::ConfirmOne(name)), IDYES);
        ExpectBoxAndAnswer(kAllRemoved, IDOK);
        removed.push_back(chosen[0]);

        EXPECT_EQ(m_manager.Lines(), Without(kAllLines, removed));
        EXPECT_TRUE(ProgressWindows().empty());
    }
    ExpectInstalledAllBut({product::kKestrelSupply, product::kNorvikSwitch64});
    m_manager.ClickRefresh();
    EXPECT_EQ(m_manager.Lines(), Without(kAllLines, removed));
}

TEST_F(RemovalTest, RemovesSeveralSelectedDriversIncludingAdjacentLines) {
    const Lines chosen = {"Altheon AT3440 DMM\t.NET", "Altheon AT3440 DMM\tC",
                          "Solenne SC12 Counter\tVisual Basic"};
    ASSERT_TRUE(m_manager.SelectLines(chosen));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(kSeveralQuestion), IDYES);
    ExpectBoxAndAnswer(kAllRemoved, IDOK);

    EXPECT_EQ(m_manager.Lines(), Without(kAllLines, chosen));
    EXPECT_TRUE(m_manager.SelectedLines().empty());
    ExpectInstalledAllBut(
        {product::kAltheonDmmC, product::kAltheonDmmNet, product::kSolenneCounter});
}

TEST_F(RemovalTest, ReportsEachDriverThatCannotBeRemovedAndKeepsItsLineSelected) {
    // Top down: two real products, then two values with no product behind them.
    const Lines removable = {"Norvik NS40 Switch Matrix\tC", "Orrin OS90 Analyzer\tC"};
    const Lines failing = {"Tessaly TX200 DMM\tVisual Basic", "Varden VS5 Scope\tC"};
    Lines chosen = removable;
    chosen.insert(chosen.end(), failing.begin(), failing.end());
    ASSERT_TRUE(m_manager.SelectLines(chosen));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(kSeveralQuestion), IDYES);

    // Each failure is reported while the progress window still stands, before the next
    // driver is tried; the bar counts the lines handled so far. The value whose product is gone
    // is offered to be forgotten, and No keeps it as a failure; a value whose name is no product
    // code is not.
    const ExpectedBox failures[] = {NotInstalled("Tessaly TX200 DMM"), Failure("Varden VS5 Scope")};
    const int answers[] = {IDNO, IDOK};
    for (int handled = 2; handled < 4; ++handled) {
        const ShownMessageBox box = WaitForMessageBox(m_calvorn.Id(), m_manager.Handle());
        ASSERT_NE(box.window, nullptr);
        const std::vector<HWND> progress = ProgressWindows();
        ASSERT_EQ(progress.size(), 1u);
        EXPECT_EQ(GetWindow(progress[0], GW_OWNER), m_manager.Handle());
        HWND bar = GetDlgItem(progress[0], 1028);
        EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 4);
        EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), handled);
        ExpectBoxAndAnswer(failures[handled - 2], answers[handled - 2]);
    }
    ExpectBoxAndAnswer(kSomeFailed, IDOK);

    EXPECT_TRUE(ProgressWindows().empty());
    EXPECT_EQ(m_manager.Lines(), Without(kAllLines, removable));
    EXPECT_EQ(m_manager.SelectedLines(), failing);
    ExpectInstalledAllBut({product::kNorvikSwitch, product::kOrrinAnalyzer});
}

TEST_F(RemovalTest, YesForgetsADriverWhoseProductIsGoneInEveryRegistryView) {
    const Lines chosen = {"Orrin OS90 Analyzer\tC", "Tessaly TX200 DMM\tVisual Basic"};
    Lines values32 = DriverValueNames(false);
    Lines values64 = DriverValueNames(true);
    ASSERT_TRUE(m_manager.SelectLines(chosen));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(kSeveralQuestion), IDYES);
    ExpectBoxAndAnswer(NotInstalled("Tessaly TX200 DMM"), IDYES);
    ExpectBoxAndAnswer(kAllRemoved, IDOK);

    EXPECT_TRUE(m_manager.SendKeyDown('R', 0)) << "no further box";
    EXPECT_TRUE(OpenMessageBoxes(m_calvorn.Id()).empty());
    EXPECT_EQ(m_manager.Lines(), Without(kAllLines, chosen));
    EXPECT_TRUE(m_manager.SelectedLines().empty());
    // The product's removal took its own value; the forgotten driver's went in both views.
    EXPECT_EQ(DriverValueNames(false),
              Without(values32, {product::kOrrinAnalyzer, product::kTessalyDmm}));
    EXPECT_EQ(DriverValueNames(true), Without(values64, {product::kTessalyDmm}));
    m_manager.ClickRefresh();
    EXPECT_EQ(m_manager.Lines(), Without(kAllLines, chosen));
    ExpectInstalledAllBut({product::kOrrinAnalyzer});
}

TEST_F(RemovalTest, ADriverWhoseRemovalNeedsARestartIsRemovedAndTheRestartAnnounced) {
    const Lines chosen = {"Kestrel KP2200 DC Supply\tC", "Kestrel KP2400 DC Supply\tC"};
    ASSERT_TRUE(m_manager.SelectLines(chosen));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(kSeveralQuestion), IDYES);
    ExpectBoxAndAnswer(kAllRemoved, IDOK);
    ExpectBoxAndAnswer(kRestartNotice, IDOK);

    EXPECT_TRUE(m_manager.SendKeyDown('R', 0)) << "no further box";
    EXPECT_TRUE(OpenMessageBoxes(m_calvorn.Id()).empty());
    EXPECT_EQ(m_manager.Lines(), Without(kAllLines, chosen));
    ExpectInstalledAllBut({product::kKestrelSupply, product::kKestrelSupplyRestart});
}

TEST_F(RemovalTest, AnsweringNoRemovesNothing) {
    ASSERT_TRUE(m_manager.SelectLines({"Orrin OS90 Analyzer\tC", "Varden VS5 Scope\tC"}));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(kSeveralQuestion), IDNO);

    EXPECT_TRUE(m_manager.SendKeyDown('R', 0)) << "the window is free again";
    EXPECT_TRUE(OpenMessageBoxes(m_calvorn.Id()).empty());
    EXPECT_TRUE(ProgressWindows().empty());
    EXPECT_EQ(m_manager.Lines(), kAllLines);
    ExpectInstalledAllBut({});
}

TEST_F(RemovalTest, RemovedDriverReturnsOnAFilterChangeUntilRefresh) {
    const Lines chosen = {"Orrin OS90 Analyzer\tC"};
    ASSERT_TRUE(m_manager.SelectLines(chosen));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(product::ConfirmOne("Orrin OS90 Analyzer")), IDYES);
    ExpectBoxAndAnswer(kAllRemoved, IDOK);
    ASSERT_EQ(m_manager.Lines(), Without(kAllLines, chosen));

    // The list is rebuilt from the catalog read at start, which still has the driver.
    ASSERT_TRUE(m_manager.ChooseFilter(IDC_ADE_FILTER, "<All>"));
    EXPECT_EQ(m_manager.Lines(), kAllLines);

    m_manager.ClickRefresh();
    EXPECT_EQ(m_manager.Lines(), Without(kAllLines, chosen));
}

// Windows calls a window hung when it has taken no message for 5 seconds, and ghosts it with an
// offer to end the program. The slow package's removal takes several.
TEST_F(RemovalTest, WindowsAnswerThroughoutASlowRemovalAndCommandsWaitForItsEnd) {
    const OwnPackage slow("slow-removal", CALVORN_SLOW_PRODUCT, CALVORN_SLOW_NAME);
    ASSERT_EQ(slow.Install(), "");
    m_manager.ClickRefresh();
    ASSERT_TRUE(m_manager.SelectLines({slow.Line()}));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(product::ConfirmOne(slow.Name())), IDYES);

    // Registered meanwhile, it shows only once the Refresh posted during the removal has run.
    const std::string lateCode = "{6A0D3B5E-8C21-4F97-A1E4-0B7D2C9F3E81}";
    const std::string lateLine = "Late Arrival DMM\tC";
    ASSERT_TRUE(SetDriverValue(lateCode, "Late Arrival DMM;IviDmm;C;Tessaly Systems"));
    const auto listsLate = [&] {
        const Lines lines = m_manager.Lines();
        return std::find(lines.begin(), lines.end(), lateLine) != lines.end();
    };

    ULONGLONG longestAnswer = 0;
    bool everHung = false;
    bool refreshPosted = false;
    bool lateListedDuringPass = false;
    const ULONGLONG start = GetTickCount64();
    // One look every 100 ms until the summary opens, each a message sent to both windows.
    while (OpenMessageBoxes(m_calvorn.Id()).empty() && GetTickCount64() - start < 60000) {
        std::vector<HWND> windows = ProgressWindows();
        windows.push_back(m_manager.Handle());
        for (HWND window : windows) {
            const ULONGLONG sent = GetTickCount64();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
            longestAnswer = std::max(longestAnswer, GetTickCount64() - sent);
        }
        everHung = everHung || IsHungAppWindow(m_manager.Handle());
        if (!refreshPosted && GetTickCount64() - start >= 500) {
            PostMessageW(m_manager.Handle(), WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED),
                         reinterpret_cast<LPARAM>(m_manager.Control(IDC_REFRESH)));
            refreshPosted = true;
        }
        lateListedDuringPass = lateListedDuringPass || listsLate();
        Sleep(100);
    }
    const ULONGLONG passTime = GetTickCount64() - start;
    lateListedDuringPass = lateListedDuringPass || listsLate();
    ExpectBoxAndAnswer(kAllRemoved, IDOK);

    std::cout << "longest answer " << longestAnswer << " ms during a pass of " << passTime
              << " ms\n";
    EXPECT_LT(longestAnswer, 250u);
    EXPECT_FALSE(everHung);
    EXPECT_TRUE(refreshPosted) << "the removal was over within half a second";
    EXPECT_FALSE(lateListedDuringPass);
    EXPECT_TRUE(WaitUntil(listsLate)) << "the posted Refresh never ran";
    const Lines lines = m_manager.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), slow.Line()), 0);
    EXPECT_FALSE(IsProductInstalled(slow.ProductCode()));
    ExpectInstalledAllBut({});
}

TEST_F(RemovalTest, TheProgressWindowNamesTheDriverUnderWayAndEscStopsThePass) {
    const OwnPackage slow("slow-removal", CALVORN_SLOW_PRODUCT, CALVORN_SLOW_NAME);
    ASSERT_EQ(slow.Install(), "");
    m_manager.ClickRefresh();
    // The stop must land before the last of three: Esc comes while the first (which takes
    // seconds) is being removed, and at the latest during the quick second.
    const std::string kestrel = "Kestrel KP2200 DC Supply\tC";
    const std::string norvik = "Norvik NS40 Switch Matrix\tC";
    ASSERT_TRUE(m_manager.SelectLines({slow.Line(), kestrel, norvik}));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(kSeveralQuestion), IDYES);

    HWND progress = nullptr;
    std::string action;
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<HWND> windows = ProgressWindows();
        progress = windows.empty() ? nullptr : windows[0];
        if (progress == nullptr) return false;
        action = ControlText(progress, IDC_PROGRESS_ACTION);
        return ControlText(progress, IDC_PROGRESS_DRIVER) ==
                   product::Uninstalling(slow.Name(), 1, 3) &&
               !action.empty();
    })) << "no driver and action shown";
    // A key the user presses: the progress window takes it while the installer works.
    SetForegroundWindow(progress);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);

    const ShownMessageBox question = WaitForMessageBox(m_calvorn.Id(), progress);
    ASSERT_NE(question.window, nullptr) << "Esc asked nothing";
    EXPECT_EQ(question.text, product::kStopQuestion);
    ASSERT_TRUE(Answer(question, IDYES));
    // Wine's installer ignores the cancel and finishes the removal under way (Windows Installer
    // rolls it back); the next driver is not tried.
    ExpectBoxAndAnswer({product::kAppName, product::kStopped, "information", kOk}, IDOK);
    EXPECT_FALSE(IsProductInstalled(slow.ProductCode()));
    const Lines selected = m_manager.SelectedLines();
    ASSERT_FALSE(selected.empty());
    EXPECT_EQ(selected.back(), norvik);
    EXPECT_TRUE(IsProductInstalled(product::kNorvikSwitch));
}

TEST_F(RemovalTest, KeepsTheInstallerLogOfEachFailedRemovalAndSaysWhere) {
    const OwnPackage failing("failing-removal", CALVORN_FAILING_PRODUCT, CALVORN_FAILING_NAME);
    ASSERT_EQ(failing.Install(), "");
    m_manager.ClickRefresh();
    char temporary[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temporary), 0u);

    ASSERT_TRUE(m_manager.SelectLines({"Altheon AT3440 DMM\tC", failing.Line()}));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(kSeveralQuestion), IDYES);
    ExpectBoxAndAnswer(Failure(failing.Name()), IDOK);
    ExpectBoxAndAnswer(kSomeFailed, IDOK);
    // A folder made for this pass in the temporary folder.
    const ShownMessageBox logsBox = WaitForMessageBox(m_calvorn.Id(), m_manager.Handle());
    const std::string textBefore = product::LogsAreIn("");
    const std::size_t start = textBefore.size() - 1;
    ASSERT_GT(logsBox.text.size(), textBefore.size()) << logsBox.text;
    const std::string folder = logsBox.text.substr(start, logsBox.text.size() - textBefore.size());
    std::cout << "Calvorn kept its log in " << folder << "\n";
    EXPECT_EQ(folder.rfind(std::string(temporary) + "Calvorn-", 0), 0u) << folder;
    ExpectBoxAndAnswer({product::kAppName, product::LogsAreIn(folder), "information", kOk}, IDOK);
    EXPECT_TRUE(m_manager.SendKeyDown('R', 0)) << "no further box";

    const std::set<std::string> logs = FilesIn(folder);
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_NE(logs.begin()->find(CALVORN_FAILING_PRODUCT), std::string::npos) << *logs.begin();
    std::ifstream log(folder + "\\" + *logs.begin(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    // The removal ran with the Restart Manager kept from closing programs.
    EXPECT_NE(text.find("Property(S): MSIRESTARTMANAGERCONTROL = Disable"), std::string::npos);
    EXPECT_TRUE(IsProductInstalled(failing.ProductCode()));
    ExpectInstalledAllBut({product::kAltheonDmmC});
}

// An IVI configuration on the test's machine: the 64-bit IVI root, and a store in both views
// whose one session and one logical name use the module kv7dmm_64.dll; all gone afterwards.
class IviConfigurationScope {
public:
    IviConfigurationScope() {
        char temporary[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temporary);
        m_store = std::string(temporary) + "calvorn-ivi-store.xml";
        IviStoreParts parts;
        parts.modules =
            "<IviSoftwareModule id=\"p1\"><Name>kv7dmm</Name>"
            "<ModulePath64>kv7dmm_64.dll</ModulePath64></IviSoftwareModule>";
        parts.sessions =
            "<IviDriverSession id=\"p2\"><Name>KivBench</Name>"
            "<IviSoftwareModuleRef idref=\"p1\"/></IviDriverSession>";
        parts.logicalNames =
            "<IviLogicalName id=\"p3\"><Name>DMM9</Name>"
            "<IviDriverSession idref=\"p2\"/></IviLogicalName>";
        std::ofstream(m_store, std::ios::binary) << IviStoreText(parts);
        char programFiles[MAX_PATH] = {};
        GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
        Set(kIviKey, "IviStandardRootDir", std::string(programFiles) + "\\IVI Foundation\\IVI\\",
            KEY_WOW64_64KEY);
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            Set(kServerKey, "MasterStore", m_store, view);
        }
    }
    ~IviConfigurationScope() {
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kServerKey, view, 0);
        }
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kIviKey, KEY_WOW64_64KEY, 0);
        DeleteFileA(m_store.c_str());
    }

private:
    static constexpr const char* kIviKey = "SOFTWARE\\IVI";
    static constexpr const char* kServerKey = "SOFTWARE\\IVI\\CONFIGURATIONSERVER";

    static void Set(const char* path, const char* name, const std::string& text, REGSAM view) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_SET_VALUE | view,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }

    std::string m_store;
};

TEST_F(RemovalTest, AsksBeforeRemovingADriverThatTheIviConfigurationUses) {
    const OwnPackage driver("ivi-module", CALVORN_IVI_PRODUCT, CALVORN_IVI_NAME);
    ASSERT_EQ(driver.Install(), "");
    const IviConfigurationScope configuration;
    m_manager.ClickRefresh();

    ASSERT_TRUE(m_manager.SelectLines({driver.Line()}));
    m_manager.ClickRemove();
    ExpectBoxAndAnswer(Confirmation(product::ConfirmOne(driver.Name())), IDYES);
    const std::string uses = driver.Name() + " (logical names: DMM9; driver sessions: KivBench)\n";
    ExpectBoxAndAnswer({product::kConfirmCaption, product::InUse(uses), "warning", kYesNo}, IDNO);
    EXPECT_TRUE(m_manager.SendKeyDown('R', 0)) << "no further box";
    EXPECT_TRUE(IsProductInstalled(driver.ProductCode()));

    const CalvornCmdRun run = RunCalvornCmd("list --format json --product " + driver.ProductCode());
    ASSERT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(run.error, "");
    const nlohmann::json list = nlohmann::json::parse(run.output);
    ASSERT_EQ(list.size(), 1u) << run.output;
    EXPECT_EQ(list[0].at("softwareModules"), nlohmann::json({"kv7dmm"}));
    EXPECT_EQ(list[0].at("driverSessions"), nlohmann::json({"KivBench"}));
    EXPECT_EQ(list[0].at("logicalNames"), nlohmann::json({"DMM9"}));
}

}  // namespace
