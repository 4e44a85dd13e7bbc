#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestDialog.h"

namespace {

class MessageTableTest : public ::testing::Test {
protected:
    MessageTableTest() { system.AddTemplate(kTestTemplate, TestTemplate()); }

    // A live window to send messages to, without a modal run around it.
    MemoryDialogWindow& Open(TestDialog& dialog) {
        EXPECT_TRUE(dialog.Create(kTestTemplate, nullptr));
        dialog.calls.clear();
        return *system.FindWindow(kTestTemplate);
    }

    MemoryWindowSystem system;
};

struct CommandCase {
    int id;
    int code;
    const char* handler;  // null: left to default processing
};

TEST_F(MessageTableTest, CommandsMatchByControlIdAndNotificationCode) {
    const CommandCase cases[] = {
        {kButtonId, kBnClicked, "OnButton"},
        {kButtonId, 1, nullptr},
        {kListId, kLbnSelChange, "OnListChange"},
        {kListId, kBnClicked, nullptr},
        {kComboId, kCbnSelChange, "OnComboChange"},
        {kProgressId, kBnClicked, nullptr},
        {0xFFFF, kBnClicked, nullptr},
    };
    for (const CommandCase& command : cases) {
        SCOPED_TRACE(::testing::Message() << command.id << "/" << command.code);
        TestDialog dialog(system);
        MemoryDialogWindow& window = Open(dialog);

        window.Notify(command.id, command.code);

        if (command.handler) {
            EXPECT_EQ(dialog.calls, std::vector<std::string>{command.handler});
            EXPECT_EQ(window.DefaultProcessed(kWmCommand), 0);
        } else {
            EXPECT_TRUE(dialog.calls.empty());
            EXPECT_EQ(window.DefaultProcessed(kWmCommand), 1);
        }
    }
}

TEST_F(MessageTableTest, DerivedEntriesComeBeforeTheBaseTablesWhichStillApply) {
    DerivedTestDialog dialog(system);
    MemoryDialogWindow& window = Open(dialog);

    window.Click(kButtonId);
    window.Notify(kListId, kLbnSelChange);
    window.Notify(kListId, 2);
    window.Click(kIdOk);

    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"OnDerivedButton", "OnListChange",
                                                      "OnListDoubleClick", "OnOK"}));
    // Modeless, so the base's OnOK destroys the window rather than ending a run.
    EXPECT_TRUE(window.IsDestroyed());
    EXPECT_FALSE(window.Ended());
}

TEST_F(MessageTableTest, BaseTableEndsTheRunForOkAndCancel) {
    struct EndCase {
        const char* name;
        void (*act)(MemoryDialogWindow&);
        int expected;
    };
    const EndCase cases[] = {
        {"Done", [](MemoryDialogWindow& window) { window.Click(kIdOk); }, kIdOk},
        {"Enter", [](MemoryDialogWindow& window) { window.PressEnter(); }, kIdOk},
        {"Escape", [](MemoryDialogWindow& window) { window.PressEscape(); }, kIdCancel},
        {"WM_CLOSE", [](MemoryDialogWindow& window) { window.Dispatch(kWmClose); }, kIdCancel},
        {"close box", [](MemoryDialogWindow& window) { window.Dispatch(kWmSysCommand, 0xF060); },
         kIdCancel},
        {"nothing", [](MemoryDialogWindow&) {}, kIdCancel},
    };
    for (const EndCase& end : cases) {
        SCOPED_TRACE(end.name);
        TestDialog dialog(system);
        system.onModal = end.act;

        EXPECT_EQ(dialog.DoModal(), end.expected);
    }
}

TEST_F(MessageTableTest, InitDialogAnswersWithTheHandlersResult) {
    for (const bool answer : {true, false}) {
        TestDialog dialog(system);
        dialog.initResult = answer;
        Open(dialog);

        MessageResult result = -1;
        EXPECT_TRUE(dialog.HandleMessage({kWmInitDialog, 0, 0}, result));
        EXPECT_EQ(result, answer ? 1 : 0);
    }
}

TEST_F(MessageTableTest, HandlerCallingDefaultLeavesTheMessageToDefaultProcessing) {
    for (const bool callsDefault : {true, false}) {
        TestDialog dialog(system);
        dialog.paintCallsDefault = callsDefault;
        MemoryDialogWindow& window = Open(dialog);

        window.Paint();

        EXPECT_EQ(dialog.calls, std::vector<std::string>{"OnPaint"});
        EXPECT_EQ(window.DefaultProcessed(kWmPaint), callsDefault ? 1 : 0);
    }
}

TEST_F(MessageTableTest, DefaultOfANestedMessageStaysWithThatMessage) {
    TestDialog dialog(system);
    MemoryDialogWindow& window = Open(dialog);
    dialog.onButton = [&] { window.Send(kWmPaint); };

    window.Click(kButtonId);

    EXPECT_EQ(window.DefaultProcessed(kWmPaint), 1);
    EXPECT_EQ(window.DefaultProcessed(kWmCommand), 0);
}

TEST_F(MessageTableTest, DefaultOfTheOuterMessageSurvivesAHandledNestedOne) {
    TestDialog dialog(system);
    MemoryDialogWindow& window = Open(dialog);
    dialog.paintCallsDefault = false;
    dialog.onButton = [&] {
        dialog.Default();
        window.Send(kWmPaint);
    };

    window.Click(kButtonId);

    EXPECT_EQ(window.DefaultProcessed(kWmCommand), 1);
    EXPECT_EQ(window.DefaultProcessed(kWmPaint), 0);
}

TEST_F(MessageTableTest, UnlistedMessagesGoToDefaultProcessing) {
    TestDialog dialog(system);
    MemoryDialogWindow& window = Open(dialog);
    constexpr unsigned kPrivateMessage = 0x0405;

    EXPECT_EQ(window.Dispatch(kPrivateMessage, 1, 2), 0);

    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_EQ(window.DefaultProcessed(kPrivateMessage), 1);
}

TEST_F(MessageTableTest, KeyDownSplitsTheLongParameterIntoRepeatCountAndKeyFlags) {
    struct KeyCase {
        LongParam lParam;
        unsigned repeatCount;
        unsigned keyFlags;
    };
    const KeyCase cases[] = {
        {0x00000001, 1, 0},
        {0x00000000, 0, 0},
        {0x00530001, 1, 0x0053},
        {0x0153000A, 10, 0x0153},
        {0x20000001, 1, 0x2000},
        {0x40000001, 1, 0x4000},
        // Bit 31 set: as a 32-bit value the parameter is negative, and a 64-bit platform
        // hands it over sign-extended.
        {static_cast<LongParam>(static_cast<std::int32_t>(0xC0530001u)), 1, 0xC053},
        {static_cast<LongParam>(0xC0530001u), 1, 0xC053},
        {static_cast<LongParam>(static_cast<std::int32_t>(0xFFFFFFFFu)), 0xFFFF, 0xFFFF},
    };
    for (const KeyCase& key : cases) {
        SCOPED_TRACE(key.lParam);
        TestDialog dialog(system);
        MemoryDialogWindow& window = Open(dialog);

        window.Dispatch(kWmKeyDown, kVkDelete, key.lParam);

        ASSERT_EQ(dialog.keyDowns.size(), 1u);
        EXPECT_EQ(dialog.keyDowns[0].keyCode, kVkDelete);
        EXPECT_EQ(dialog.keyDowns[0].repeatCount, key.repeatCount);
        EXPECT_EQ(dialog.keyDowns[0].keyFlags, key.keyFlags);
        EXPECT_EQ(window.DefaultProcessed(kWmKeyDown), 0);
    }
}

TEST_F(MessageTableTest, KeyDownOfTheMemoryWindowPutsFlagsInTheHighWord) {
    TestDialog dialog(system);
    MemoryDialogWindow& window = Open(dialog);

    window.KeyDown(kVkF5, 0x003F, 3);
    window.KeyDown(kVkDelete, 0);

    ASSERT_EQ(dialog.keyDowns.size(), 2u);
    EXPECT_EQ(dialog.keyDowns[0].keyCode, kVkF5);
    EXPECT_EQ(dialog.keyDowns[0].repeatCount, 3u);
    EXPECT_EQ(dialog.keyDowns[0].keyFlags, 0x003Fu);
    EXPECT_EQ(dialog.keyDowns[1].repeatCount, 1u);
    EXPECT_EQ(dialog.keyDowns[1].keyFlags, 0u);
}

TEST_F(MessageTableTest, SysCommandPassesCommandAndLongParameterOn) {
    TestDialog dialog(system);
    MemoryDialogWindow& window = Open(dialog);
    constexpr unsigned kScMinimize = 0xF020;

    window.Dispatch(kWmSysCommand, kScMinimize, 0x00400030);

    ASSERT_EQ(dialog.sysCommands.size(), 1u);
    EXPECT_EQ(dialog.sysCommands[0].wParam, kScMinimize);
    EXPECT_EQ(dialog.sysCommands[0].lParam, 0x00400030);
    EXPECT_EQ(window.DefaultProcessed(kWmSysCommand), 1);
    EXPECT_TRUE(window.IsIconic());
}

TEST_F(MessageTableTest, HeldCommandsWaitForTheReleaseAndTheSessionEndIsRefused) {
    TestDialog dialog(system);
    MemoryDialogWindow& window = Open(dialog);
    constexpr unsigned kScMinimize = 0xF020;
    dialog.HoldCommands();

    window.KeyDown(kVkF5, 0);
    window.Dispatch(kWmSysCommand, kScClose, 0);
    EXPECT_EQ(window.Dispatch(kWmQueryEndSession), 0);
    window.Dispatch(kWmSysCommand, kScMinimize, 0);
    EXPECT_TRUE(dialog.keyDowns.empty());
    ASSERT_EQ(dialog.sysCommands.size(), 1u);
    EXPECT_EQ(dialog.sysCommands[0].wParam, kScMinimize);
    EXPECT_TRUE(window.IsIconic()) << "minimising starts nothing and is not held";

    dialog.ReleaseHeldCommands();
    EXPECT_EQ(dialog.keyDowns.size(), 1u);
    ASSERT_EQ(dialog.sysCommands.size(), 2u);
    EXPECT_EQ(dialog.sysCommands[1].wParam, kScClose);
    EXPECT_EQ(window.DefaultProcessed(kWmQueryEndSession), 0);
}

TEST_F(MessageTableTest, QueryDragIconAnswersWithTheHandlersHandle) {
    TestDialog dialog(system);
    MemoryDialogWindow& window = Open(dialog);
    int icon = 0;
    dialog.dragIcon = &icon;

    EXPECT_EQ(window.Dispatch(kWmQueryDragIcon), reinterpret_cast<MessageResult>(&icon));
    EXPECT_EQ(window.DefaultProcessed(kWmQueryDragIcon), 0);
}

}  // namespace
