#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "FakeInstaller.h"
#include "FakeLogFiles.h"
#include "installer/RemovalLogs.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::UnorderedElementsAre;

const char kCode[] = "{12345678-ABCD-EF00-1234-567890abcdef}";
const std::string kStamp = FakeLogFiles::kTimestamp;
const std::string kLogOfCode =
    std::string(FakeLogFiles::kFolder) + "\\" + kStamp + "-" + kCode + ".log";

TEST(RemovalLogFileName, NamesOnlyProductCodesAndNothingElseFromTheRegistry) {
    const struct {
        const char* valueName;
        const char* fileName;
    } cases[] = {
        {kCode, "20261209-143005-{12345678-ABCD-EF00-1234-567890abcdef}.log"},
        {"..\\..\\Windows\\x", "20261209-143005-driver.log"},
        {"{12345678-ABCD-EF00-1234-567890ABCDE\\}", "20261209-143005-driver.log"},
        {"{12345678/ABCD-EF00-1234-567890ABCDEF}", "20261209-143005-driver.log"},
        {"{12345678-ABCD-EF00-1234-567890ABCDEG}", "20261209-143005-driver.log"},
        {"{12345678-ABCD-EF00-1234-567890ABCDEF}.", "20261209-143005-driver.log"},
        {"..", "20261209-143005-driver.log"},
        {"", "20261209-143005-driver.log"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RemovalLogs::FileName(kStamp, c.valueName, 1), c.fileName) << c.valueName;
    }
    EXPECT_EQ(RemovalLogs::FileName(kStamp, "", 3), "20261209-143005-driver-3.log");
}

class RemovalLogsTest : public testing::Test {
protected:
    FakeInstaller m_installer;
    FakeLogFiles m_files;
};

TEST_F(RemovalLogsTest, KeepsTheVerboseLogOfAFailureOnly) {
    RemovalLogs logs(m_installer, &m_files);
    for (RemovalOutcome outcome :
         {RemovalOutcome::Removed, RemovalOutcome::RemovedRestartRequired}) {
        logs.Begin(kCode);
        EXPECT_THAT(m_files.files, ElementsAre(kLogOfCode));
        logs.End(outcome);
        EXPECT_THAT(m_files.files, IsEmpty());
        EXPECT_EQ(logs.KeptFolder(), "");
    }
    logs.Begin(kCode);
    logs.End(RemovalOutcome::Failed);
    EXPECT_THAT(m_files.files, ElementsAre(kLogOfCode));
    EXPECT_EQ(logs.KeptFolder(), FakeLogFiles::kFolder);

    // As msiexec /l*v writes it, only on error where the installer can, appended to the file
    // made for it; then logging is turned off again.
    ASSERT_EQ(m_installer.LogCalls().size(), 6u);
    EXPECT_EQ(m_installer.LogCalls()[4].mode, 0x5FDFu);
    EXPECT_EQ(m_installer.LogCalls()[4].file, kLogOfCode);
    EXPECT_EQ(m_installer.LogCalls()[4].attributes, 1u);
    EXPECT_EQ(m_installer.LogCalls()[5].file, "(null)");
}

TEST_F(RemovalLogsTest, NeverOverwritesAFile) {
    m_files.folderExists = true;
    m_files.files.insert(kLogOfCode);
    RemovalLogs logs(m_installer, &m_files);
    logs.Begin(kCode);
    logs.End(RemovalOutcome::Failed);
    const std::string second =
        std::string(FakeLogFiles::kFolder) + "\\" + kStamp + "-" + kCode + "-2.log";
    EXPECT_THAT(m_files.files, UnorderedElementsAre(kLogOfCode, second));
}

TEST_F(RemovalLogsTest, WithoutOnlyOnErrorTheLogIsStillKept) {
    m_installer.RefuseLogModes(0x4000, 87);
    RemovalLogs logs(m_installer, &m_files);
    logs.Begin(kCode);
    logs.End(RemovalOutcome::Failed);
    ASSERT_EQ(m_installer.LogCalls().size(), 3u);
    EXPECT_EQ(m_installer.LogCalls()[1].mode, 0x1FDFu);
    EXPECT_EQ(logs.KeptFolder(), FakeLogFiles::kFolder);
}

TEST_F(RemovalLogsTest, WhatCannotBeWrittenLeavesNoLogAndNoNotice) {
    for (int way = 0; way < 4; ++way) {
        FakeInstaller installer;
        FakeLogFiles files;
        files.refuseFolder = way == 0;
        files.refuseFiles = way == 1;
        if (way == 2) installer.RefuseLogModes(0x1000, 87);
        files.installerWrites = way != 3;
        RemovalLogs logs(installer, &files);
        logs.Begin(kCode);
        logs.End(RemovalOutcome::Failed);
        EXPECT_THAT(files.files, IsEmpty()) << way;
        EXPECT_EQ(logs.KeptFolder(), "") << way;
    }
    RemovalLogs unlogged(m_installer, nullptr);
    unlogged.Begin(kCode);
    unlogged.End(RemovalOutcome::Failed);
    EXPECT_THAT(m_installer.LogCalls(), IsEmpty());
}

}  // namespace
