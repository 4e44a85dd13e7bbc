#include <gtest/gtest.h>

#include <string>

#include "CalvornTest.h"
#include "RemoteWindows.h"
#include "res/resource.h"

namespace {

TEST_F(CalvornTest, HoldsTheInstanceNameWhileItRuns) { EXPECT_TRUE(InstanceMutexExists()); }

TEST_F(CalvornTest, SecondInstanceEndsAtOnceWithoutAWindow) {
    CalvornProcess second;
    ASSERT_TRUE(second.Start("--ignored arguments"));
    ASSERT_TRUE(second.WaitForEnd());
    EXPECT_TRUE(TopLevelWindows(second.Id()).empty());

    EXPECT_FALSE(m_calvorn.HasEnded());
    EXPECT_EQ(m_calvorn.WaitForMainWindow(), m_manager.Handle());
    EXPECT_TRUE(InstanceMutexExists());
}

class EndingTest : public CalvornTest {
protected:
    // After `action` the process ends, and the instance name is free for the next start.
    template <class Action>
    void ExpectEndAfter(Action action) {
        HWND window = m_manager.Handle();
        action();
        ASSERT_TRUE(m_calvorn.WaitForEnd());
        EXPECT_FALSE(IsWindow(window));
        EXPECT_FALSE(InstanceMutexExists());
    }
};

TEST_F(EndingTest, Done) {
    ExpectEndAfter([&] { PostMessageW(m_manager.Control(IDOK), BM_CLICK, 0, 0); });
}

TEST_F(EndingTest, Escape) {
    ExpectEndAfter(
        [&] { PostMessageW(m_manager.Control(IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001); });
}

TEST_F(EndingTest, EnterInTheList) {
    ExpectEndAfter([&] {
        PostMessageW(m_manager.Control(IDC_DRIVER_LIST), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    });
}

TEST_F(EndingTest, CloseBox) {
    ExpectEndAfter([&] { PostMessageW(m_manager.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
}

TEST_F(CalvornTest, NextStartAfterTheEndRunsNormally) {
    PostMessageW(m_manager.Control(IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(m_calvorn.WaitForEnd());
    CalvornProcess next;
    ASSERT_TRUE(next.Start());
    HWND window = next.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ManagerWindow(window).Lines(), kAllLines);
}

}  // namespace
