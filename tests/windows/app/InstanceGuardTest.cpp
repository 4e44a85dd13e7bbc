#include <windows.h>

#include <gtest/gtest.h>

#include "app/InstanceGuard.h"

namespace {

bool NameExists() {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutexName);
    if (mutex == nullptr) return false;
    CloseHandle(mutex);
    return true;
}

// The name is shared by every process of the Wine prefix, and CTest runs test cases as
// processes side by side, so every step that needs the name is in this one case. This test
// program has no start-up guard of its own, so the name starts free.
TEST(InstanceGuardTest, FirstAndSecondInstance) {
    ASSERT_FALSE(NameExists());
    {
        SCOPED_TRACE("first instance");
        SetLastError(ERROR_ALREADY_EXISTS);
        SetUpInstanceGuard();
        EXPECT_NE(g_instanceMutex, nullptr);
        EXPECT_NE(g_instanceMutexError, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        EXPECT_TRUE(NameExists());

        ReleaseInstanceGuard();
        EXPECT_EQ(g_instanceMutex, nullptr);
        EXPECT_FALSE(NameExists());
        // A second release has nothing left to close.
        ReleaseInstanceGuard();
        EXPECT_EQ(g_instanceMutex, nullptr);
    }
    {
        SCOPED_TRACE("second instance");
        HANDLE first = CreateMutexA(nullptr, FALSE, kInstanceMutexName);
        ASSERT_NE(first, nullptr);
        SetUpInstanceGuard();
        EXPECT_NE(g_instanceMutex, nullptr);
        EXPECT_EQ(g_instanceMutexError, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        ReleaseInstanceGuard();
        EXPECT_EQ(g_instanceMutex, nullptr);
        EXPECT_TRUE(NameExists()) << "the first instance's handle keeps the name";
        CloseHandle(first);
        EXPECT_FALSE(NameExists());
    }
    {
        // A differently cased name is another object and does not count.
        SCOPED_TRACE("other name");
        HANDLE other = CreateMutexA(nullptr, FALSE, "{5de0e0d9-e821-43c5-a99d-e2980c2eeec0}");
        ASSERT_NE(other, nullptr);
        SetUpInstanceGuard();
        EXPECT_NE(g_instanceMutexError, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        ReleaseInstanceGuard();
        CloseHandle(other);
    }
}

}  // namespace
