#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/win32/Win32IviSystem.h"

namespace {

using Reading = IviSystem::FileReading;

class Win32IviSystemTest : public testing::Test {
protected:
    void SetUp() override {
        char temporary[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temporary), 0u);
        m_folder = std::string(temporary) + "calvorn-ivi-system-test";
        CreateDirectoryA(m_folder.c_str(), nullptr);
        std::ofstream(m_folder + "\\store.xml", std::ios::binary) << "<IviConfigStore/>";
    }
    void TearDown() override {
        DeleteFileA((m_folder + "\\store.xml").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    Win32IviSystem m_system;
    std::string m_folder;
};

TEST_F(Win32IviSystemTest, ReadsARegularFileWithinTheLimitOnly) {
    std::string bytes = "untouched";
    EXPECT_EQ(m_system.ReadFile(m_folder + "\\store.xml", 17, &bytes), Reading::Read);
    EXPECT_EQ(bytes, "<IviConfigStore/>");
    bytes = "untouched";
    EXPECT_EQ(m_system.ReadFile(m_folder + "\\store.xml", 16, &bytes), Reading::TooLarge);
    EXPECT_EQ(m_system.ReadFile(m_folder + "\\none.xml", 100, &bytes), Reading::Missing);
    EXPECT_EQ(m_system.ReadFile(m_folder + "\\none\\store.xml", 100, &bytes), Reading::Missing);
    EXPECT_EQ(m_system.ReadFile(m_folder, 100, &bytes), Reading::Failed);
    // A device could feed bytes without end.
    EXPECT_EQ(m_system.ReadFile("NUL", 100, &bytes), Reading::Failed);
    EXPECT_EQ(bytes, "untouched");
}

TEST_F(Win32IviSystemTest, ComparesPathsAsWindowsDoesAndKnowsNoUnknownProduct) {
    EXPECT_TRUE(m_system.SamePath("C:\\IVI\\Bin\\K\xC3\x89.dll", "c:\\ivi\\bin\\k\xC3\xA9.DLL"));
    EXPECT_FALSE(m_system.SamePath("C:\\IVI\\Bin\\a.dll", "C:\\IVI\\Bin\\a.dl"));
    EXPECT_TRUE(m_system.ProductFiles("{00000000-0000-0000-0000-000000000000}").empty());
}

}  // namespace
