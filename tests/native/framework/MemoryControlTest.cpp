#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestDialog.h"
#include "framework/memory/ItemOrder.h"

namespace {

using Texts = std::vector<std::string>;

class MemoryControlTest : public ::testing::Test {
protected:
    MemoryControlTest() {
        system.AddTemplate(kTestTemplate, TestTemplate());
        EXPECT_TRUE(dialog.Create(kTestTemplate, nullptr));
        window = system.FindWindow(kTestTemplate);
        dialog.calls.clear();
    }

    MemoryControl& Control(int id) { return *window->Control(id); }

    int Notifications() const { return static_cast<int>(dialog.calls.size()); }

    MemoryWindowSystem system;
    TestDialog dialog{system};
    MemoryDialogWindow* window = nullptr;
};

TEST(ItemOrderTest, IgnoresCaseAndPutsSymbolsBeforeDigitsBeforeLetters) {
    const struct {
        const char* left;
        const char* right;
        int sign;
    } cases[] = {
        {"alpha", "Beta", -1},
        {"Beta", "alpha", 1},
        {"ALPHA", "alpha", 0},
        {"ab", "abc", -1},
        {"", "a", -1},
        {"<All>", "0", -1},
        {"<All>", "Agilent", -1},
        {"9", "a", -1},
        {"_x", "<All>", -1},
        {".NET", "<All>", -1},
        {"Name\tADE", "Name ADE", -1},
        {"Name\tADE", "NameADE", -1},
        {"z", "\xC4", -1},
        {"Zeta", "\xC4rger", -1},
    };
    for (const auto& pair : cases) {
        const int result = CompareItemTexts(pair.left, pair.right);
        EXPECT_EQ((result > 0) - (result < 0), pair.sign) << pair.left << " / " << pair.right;
        const int reverse = CompareItemTexts(pair.right, pair.left);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -pair.sign) << pair.right << " / " << pair.left;
    }
}

TEST_F(MemoryControlTest, SortedListReturnsTheSortedPositionAndPutsEqualTextsAfter) {
    ListBox& list = dialog.list;

    EXPECT_EQ(list.AddString("beta"), 0);
    EXPECT_EQ(list.AddString("Alpha"), 0);
    EXPECT_EQ(list.AddString("gamma"), 2);
    EXPECT_EQ(list.AddString("ALPHA"), 1);
    EXPECT_EQ(list.AddString("Beta\tADE"), 3);
    EXPECT_EQ(list.AddString("<All>"), 0);

    EXPECT_EQ(Control(kListId).Texts(),
              (Texts{"<All>", "Alpha", "ALPHA", "beta", "Beta\tADE", "gamma"}));
}

TEST_F(MemoryControlTest, SortedComboReturnsTheSortedPosition) {
    ComboBox& combo = dialog.combo;

    EXPECT_EQ(combo.AddString("Keysight"), 0);
    EXPECT_EQ(combo.AddString("<All>"), 0);
    EXPECT_EQ(combo.AddString("agilent"), 1);
    EXPECT_EQ(combo.AddString("Agilent"), 2);

    EXPECT_EQ(Control(kComboId).Texts(), (Texts{"<All>", "agilent", "Agilent", "Keysight"}));
}

TEST_F(MemoryControlTest, ItemDataBelongsToItsLineWhereverItMoves) {
    ListBox& list = dialog.list;
    list.AddString("m");
    list.SetItemData(0, 42);
    list.AddString("a");

    EXPECT_EQ(list.GetItemData(0), 0);
    EXPECT_EQ(list.GetItemData(1), 42);
    EXPECT_EQ(list.GetItemData(2), kLbErr);
    EXPECT_EQ(list.GetItemData(-1), kLbErr);
    EXPECT_EQ(list.SetItemData(2, 7), kLbErr);

    ComboBox& combo = dialog.combo;
    combo.AddString("x");
    combo.SetItemData(0, -5);
    EXPECT_EQ(combo.GetItemData(0), -5);
    EXPECT_EQ(combo.GetItemData(1), kCbErr);
    EXPECT_EQ(combo.SetItemData(1, 3), kCbErr);
}

TEST_F(MemoryControlTest, DeletingALineReturnsTheRemainingCount) {
    ListBox& list = dialog.list;
    for (const char* text : {"a", "b", "c"}) list.AddString(text);

    EXPECT_EQ(list.DeleteString(1), 2);
    EXPECT_EQ(list.DeleteString(5), kLbErr);
    EXPECT_EQ(list.DeleteString(-1), kLbErr);
    EXPECT_EQ(list.DeleteString(0), 1);
    EXPECT_EQ(list.DeleteString(0), 0);
    EXPECT_EQ(list.DeleteString(0), kLbErr);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(MemoryControlTest, SeveralLinesCanBeSelectedAndKeepTheirStateWhenLinesAboveGo) {
    ListBox& list = dialog.list;
    for (const char* text : {"a", "b", "c", "d"}) list.AddString(text);
    Control(kListId).UserSelect({1, 3});

    EXPECT_EQ(list.GetSelCount(), 2);
    EXPECT_GT(list.GetSel(1), 0);
    EXPECT_EQ(list.GetSel(2), 0);
    EXPECT_EQ(list.GetSel(9), kLbErr);

    list.DeleteString(0);
    EXPECT_EQ(Control(kListId).SelectedLines(), (std::vector<int>{0, 2}));
    EXPECT_EQ(Control(kListId).Texts(), (Texts{"b", "c", "d"}));
}

TEST_F(MemoryControlTest, UserSelectionNotifiesAndPutsTheCaretOnTheLastLine) {
    ListBox& list = dialog.list;
    for (const char* text : {"a", "b", "c"}) list.AddString(text);
    list.SetAnchorIndex(0);

    Control(kListId).UserSelect({2, 1});

    EXPECT_EQ(dialog.calls, Texts{"OnListChange"});
    EXPECT_EQ(list.GetCurSel(), 1);
    // The user's selection leaves the anchor to the program.
    EXPECT_EQ(Control(kListId).Anchor(), 0);
    EXPECT_EQ(list.SetAnchorIndex(2), 0);
    EXPECT_EQ(Control(kListId).Anchor(), 2);
    EXPECT_EQ(list.SetAnchorIndex(3), kLbErr);
    EXPECT_EQ(Control(kListId).Anchor(), 2);
}

TEST_F(MemoryControlTest, ProgrammaticChangesSendNoNotification) {
    ListBox& list = dialog.list;
    ComboBox& combo = dialog.combo;

    list.AddString("a");
    list.AddString("b");
    list.SetItemData(0, 1);
    list.SetAnchorIndex(1);
    list.DeleteString(0);
    list.ResetContent();
    combo.AddString("x");
    combo.SetCurSel(0);
    combo.SetItemData(0, 1);
    combo.ResetContent();

    EXPECT_TRUE(dialog.calls.empty());
}

TEST_F(MemoryControlTest, ResetRemovesLinesAndSelection) {
    ListBox& list = dialog.list;
    list.AddString("a");
    Control(kListId).UserSelect({0});

    list.ResetContent();
    list.AddString("b");

    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetSelCount(), 0);
    EXPECT_EQ(list.GetItemData(0), 0);
}

TEST_F(MemoryControlTest, ListAnswersTextsAndTabStops) {
    ListBox& list = dialog.list;
    list.AddString("Name\tADE");
    const int stops[] = {48};

    EXPECT_TRUE(list.SetTabStops(1, stops));
    EXPECT_EQ(Control(kListId).TabStops(), std::vector<int>{48});

    char buffer[16] = {};
    EXPECT_EQ(Control(kListId).Send(kLbGetTextLen, 0), 8);
    EXPECT_EQ(Control(kListId).Send(kLbGetText, 0, reinterpret_cast<LongParam>(buffer)), 8);
    EXPECT_STREQ(buffer, "Name\tADE");
    EXPECT_EQ(Control(kListId).Send(kLbGetText, 1, reinterpret_cast<LongParam>(buffer)), kLbErr);
    EXPECT_EQ(Control(kListId).Send(kLbGetTextLen, 1), kLbErr);
}

TEST_F(MemoryControlTest, ComboSelectionIsMinusOneUntilSetAndCanBeCleared) {
    ComboBox& combo = dialog.combo;
    EXPECT_EQ(combo.GetCurSel(), -1);
    combo.AddString("b");
    combo.AddString("c");
    EXPECT_EQ(combo.GetCurSel(), -1);

    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.AddString("a"), 0);
    EXPECT_EQ(combo.GetCurSel(), 2);  // the selected item moved down with its text
    EXPECT_EQ(combo.SetCurSel(3), kCbErr);
    EXPECT_EQ(combo.GetCurSel(), -1);

    char buffer[8] = {};
    EXPECT_EQ(Control(kComboId).Send(kCbGetLbText, 2, reinterpret_cast<LongParam>(buffer)), 1);
    EXPECT_STREQ(buffer, "c");
    EXPECT_EQ(Control(kComboId).Send(kCbGetLbTextLen, 3), kCbErr);
}

TEST_F(MemoryControlTest, UserChoiceSelectsAndNotifies) {
    ComboBox& combo = dialog.combo;
    combo.AddString("a");
    combo.AddString("b");

    Control(kComboId).UserChoose(1);

    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(dialog.calls, Texts{"OnComboChange"});
}

TEST_F(MemoryControlTest, OverriddenResultReplacesTheAnswer) {
    dialog.list.AddString("a");
    Control(kListId).UserSelect({0});

    Control(kListId).OverrideResult(kLbGetSelCount, kLbErr);

    EXPECT_EQ(dialog.list.GetSelCount(), kLbErr);
    EXPECT_EQ(dialog.list.GetCount(), 1);
}

TEST_F(MemoryControlTest, ProgressBarKeepsASixteenBitRangeAndClampsThePosition) {
    ProgressCtrl& progress = dialog.progress;
    MemoryControl& bar = Control(kProgressId);

    progress.SetRange(0, 2);
    EXPECT_EQ(progress.SetPos(0), 0);
    EXPECT_EQ(progress.OffsetPos(1), 0);
    EXPECT_EQ(progress.OffsetPos(1), 1);
    EXPECT_EQ(progress.OffsetPos(1), 2);

    EXPECT_EQ(bar.RangeLow(), 0);
    EXPECT_EQ(bar.RangeHigh(), 2);
    EXPECT_EQ(bar.Position(), 2);
    EXPECT_EQ(bar.PositionHistory(), (std::vector<int>{0, 1, 2, 2}));
    EXPECT_EQ(bar.Send(kPbmGetPos), 2);

    int range[2] = {-1, -1};
    EXPECT_EQ(bar.Send(kPbmGetRange, 1, reinterpret_cast<LongParam>(range)), 0);
    EXPECT_EQ(bar.Send(kPbmGetRange, 0), 2);
    EXPECT_EQ(range[0], 0);
    EXPECT_EQ(range[1], 2);
}

TEST_F(MemoryControlTest, ProgressRangeTakesTheLowSixteenBitsOfEachBound) {
    MemoryControl& bar = Control(kProgressId);

    // A maximum of 65537 arrives as 1.
    bar.Send(kPbmSetRange, 0, MakeLongParam(0, 65537));
    EXPECT_EQ(bar.RangeHigh(), 1);

    bar.Send(kPbmSetRange, 0, MakeLongParam(0, 40000));
    EXPECT_EQ(bar.RangeLow(), 0);
    EXPECT_EQ(bar.RangeHigh(), 40000);

    dialog.progress.SetRange(0, static_cast<short>(40000));
    EXPECT_EQ(bar.RangeHigh(), 40000);
}

TEST_F(MemoryControlTest, DisabledButtonSendsNoClick) {
    EXPECT_FALSE(dialog.button.EnableWindow(false));

    EXPECT_FALSE(window->Click(kButtonId));
    EXPECT_FALSE(dialog.button.IsWindowEnabled());
    EXPECT_TRUE(dialog.button.EnableWindow(true));
    EXPECT_TRUE(window->Click(kButtonId));

    EXPECT_EQ(dialog.calls, Texts{"OnButton"});
    EXPECT_FALSE(window->Click(kListId));
    EXPECT_FALSE(window->Click(9999));
}

}  // namespace
