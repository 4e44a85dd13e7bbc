#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CalvornTest.h"
#include "MessageBoxes.h"
#include "Polling.h"
#include "ProductTexts.h"
#include "SampleDrivers.h"
#include "res/resource.h"

namespace {

// Repeat count 1 in the low word; the key flags in the high word.
constexpr LPARAM kNoFlags = 0x00000001;
constexpr LPARAM kDeleteScanCode = 0x00530001;
constexpr LPARAM kF5ScanCode = 0x003F0001;
constexpr LPARAM kExtendedKey = 0x01000001;
constexpr LPARAM kPreviouslyDown = 0x40000001;
constexpr LPARAM kReleasing = static_cast<LPARAM>(0xC0000001u);

struct KeyCase {
    const char* name;
    LPARAM lParam;
    bool runsCommand;
};

const KeyCase kKeyCases[] = {
    {"flags 0", kNoFlags, true},
    {"flags and repeat count 0", 0, true},
    {"a scan code", kDeleteScanCode, false},
    {"the F5 scan code", kF5ScanCode, false},
    {"the extended-key bit", kExtendedKey, false},
    {"the previous-state bit", kPreviouslyDown, false},
    {"the transition bits", kReleasing, false},
};

TEST_F(CalvornTest, DeleteKeyDownRemovesOnlyWithoutKeyFlags) {
    ASSERT_TRUE(m_manager.SelectLines({"Varden VS5 Scope\tC"}));
    for (const KeyCase& key : kKeyCases) {
        SCOPED_TRACE(key.name);
        if (key.runsCommand) {
            m_manager.PostKeyDown(VK_DELETE, key.lParam);
            const ShownMessageBox box = WaitForMessageBox(m_calvorn.Id(), m_manager.Handle());
            ASSERT_NE(box.window, nullptr);
            EXPECT_EQ(box.caption, product::kConfirmCaption);
            EXPECT_EQ(box.text, product::ConfirmOne("Varden VS5 Scope"));
            ASSERT_TRUE(Answer(box, IDNO));
        } else {
            // A command would open its question inside the handler and keep the call waiting.
            EXPECT_TRUE(m_manager.SendKeyDown(VK_DELETE, key.lParam));
            EXPECT_TRUE(OpenMessageBoxes(m_calvorn.Id()).empty());
        }
    }
    EXPECT_EQ(m_manager.Lines(), kAllLines);
}

TEST_F(CalvornTest, DeleteKeyDownRunsTheRemovalEvenWithRemoveDisabled) {
    // A selection made without notifying the window leaves Remove disabled; the key does not
    // look at the button.
    HWND list = m_manager.Control(IDC_DRIVER_LIST);
    SendMessageW(list, LB_SETSEL, TRUE, 0);
    ASSERT_FALSE(m_manager.RemoveEnabled());
    m_manager.PostKeyDown(VK_DELETE, kNoFlags);
    const ShownMessageBox box = WaitForMessageBox(m_calvorn.Id(), m_manager.Handle());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, product::ConfirmOne("Altheon AT3440 DMM"));
    ASSERT_TRUE(Answer(box, IDNO));
}

TEST_F(CalvornTest, F5KeyDownRefreshesOnlyWithoutKeyFlags) {
    const std::string added = "Zephyr ZD1 DMM\tC";
    ASSERT_TRUE(SetDriverValue("{E2E0F5F5-0000-4000-8000-000000000001}",
                               "Zephyr ZD1 DMM;IviDmm;C;Zephyr Devices"));
    // The refreshes that do happen must come last: after one the line is there for good.
    std::vector<KeyCase> cases(std::begin(kKeyCases), std::end(kKeyCases));
    std::stable_partition(cases.begin(), cases.end(),
                          [](const KeyCase& key) { return !key.runsCommand; });
    for (const KeyCase& key : cases) {
        SCOPED_TRACE(key.name);
        ASSERT_TRUE(m_manager.SendKeyDown(VK_F5, key.lParam));
        const std::vector<std::string> lines = m_manager.Lines();
        EXPECT_EQ(std::find(lines.begin(), lines.end(), added) != lines.end(), key.runsCommand);
    }
}

TEST_F(CalvornTest, OtherKeyDownsRunNothing) {
    ASSERT_TRUE(m_manager.SelectLines({"Varden VS5 Scope\tC"}));
    ASSERT_TRUE(SetDriverValue("{E2E0F5F5-0000-4000-8000-000000000002}",
                               "Zephyr ZD2 DMM;IviDmm;C;Zephyr Devices"));
    for (unsigned keyCode : {unsigned{VK_BACK}, unsigned{VK_F4}, unsigned{VK_F6}, unsigned{'R'},
                             unsigned{VK_INSERT}, 0u, 0xFFu}) {
        SCOPED_TRACE(keyCode);
        EXPECT_TRUE(m_manager.SendKeyDown(keyCode, kNoFlags));
        EXPECT_TRUE(OpenMessageBoxes(m_calvorn.Id()).empty());
        EXPECT_EQ(m_manager.Lines(), kAllLines);
    }
}

TEST_F(CalvornTest, DeleteAndF5InTheListKeepTheListMeaning) {
    ASSERT_TRUE(SetDriverValue("{E2E0F5F5-0000-4000-8000-000000000003}",
                               "Zephyr ZD3 DMM;IviDmm;C;Zephyr Devices"));
    HWND list = m_manager.Control(IDC_DRIVER_LIST);
    ASSERT_TRUE(m_manager.SelectLines({kAllLines[3]}));
    SendMessageW(list, LB_SETCARETINDEX, 3, FALSE);
    PostMessageW(list, WM_KEYDOWN, VK_DELETE, kNoFlags);
    PostMessageW(list, WM_KEYDOWN, VK_F5, kNoFlags);
    // Posted messages are handled in order: once Down has moved the caret, Delete and F5 have
    // been handled too.
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, kNoFlags);
    LRESULT caret = 3;
    WaitUntil([&] {
        caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
        return caret != 3;
    });
    EXPECT_EQ(caret, 4) << "Down moves the caret one line down";
    EXPECT_TRUE(OpenMessageBoxes(m_calvorn.Id()).empty());
    EXPECT_EQ(m_manager.Lines(), kAllLines);
}

}  // namespace
