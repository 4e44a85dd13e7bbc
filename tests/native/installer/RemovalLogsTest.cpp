#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "FakeInstaller.h"
#include "FakeLogFiles.h"
#include "installer/LogFolder.h"
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

TEST(LogFolderChoice, TakesTheTemporaryFolderOnlyAdministratorsCanChangeWhereThereIsOne) {
    const std::string user = "C:\\Users\\ana\\Temp\\";
    const std::string system2 = "C:\\Windows\\SystemTemp\\";
    const std::string system = "C:\\Windows\\Temp\\";
    const struct {
        std::optional<std::string> tempPath2;  // nullopt: the system lacks it
        std::string tempPath;
        const char* named;
        std::string folder;
    } cases[] = {
        {user, user, "", user + "Calvorn"},
        {std::nullopt, user, "", user + "Calvorn"},
        {system2, system, "", system2 + "Calvorn"},
        {std::nullopt, system, "", system + "Calvorn"},
        {"", system, "", ""},  // GetTempPath2 failed: not the folder every user can write to
        {system2, system, "\\\\lab\\logs\\PC01", "\\\\lab\\logs\\PC01"},
        {std::nullopt, "", "logs", "C:\\Work\\logs"},
    };
    for (const auto& c : cases) {
        FakeLogFiles files;
        files.tempPath2 = c.tempPath2;
        files.tempPath = c.tempPath;
        const LogFolderChoice choice = ChooseLogFolder(files, c.named);
        EXPECT_EQ(choice.path, c.folder) << c.tempPath << c.named;
        // Only the default folder is made with a DACL of its own.
        EXPECT_EQ(choice.restricted, !c.folder.empty() && *c.named == '\0') << c.folder;
    }
}

TEST(LogFolderAcceptance, OnlyAFolderItselfHeldOpenGetsLogs) {
    using Refusal = LogFolderRefusal;
    const FileKind folder{true, false};
    const FileKind link{true, true};
    const FileKind file{false, false};
    const struct {
        const char* name;
        bool present;
        FileKind kind;
        std::optional<FileKind> onHandle;
        bool opens;
        Refusal refusal;
    } cases[] = {
        {"MadeWhereMissing", false, folder, folder, true, Refusal::None},
        {"ExistingFolder", true, folder, folder, true, Refusal::None},
        {"HandleTellsNothing", true, folder, std::nullopt, true, Refusal::None},
        {"JunctionOrLink", true, link, link, true, Refusal::Redirection},
        {"LinkPutInPlaceAfterTheLook", true, folder, link, true, Refusal::Redirection},
        {"File", true, file, file, true, Refusal::NotAFolder},
        {"CannotBeOpened", true, folder, folder, false, Refusal::NotOpened},
        {"CannotBeMade", false, folder, folder, true, Refusal::Missing},
    };
    for (const auto& c : cases) {
        FakeInstaller installer;
        FakeLogFiles files;
        files.refuseFolder = c.refusal == Refusal::Missing;
        if (c.present) files.folders[FakeLogFiles::kFolder] = {c.kind, c.onHandle, c.opens};
        {
            RemovalLogs logs(installer, &files);
            logs.Begin(kCode);
            EXPECT_EQ(logs.End(RemovalOutcome::Failed),
                      c.refusal == Refusal::None ? kLogOfCode : "")
                << c.name;
            EXPECT_EQ(logs.Refusal(), c.refusal) << c.name;
        }
        EXPECT_EQ(files.files.size(), c.refusal == Refusal::None ? 1u : 0u) << c.name;
        EXPECT_THAT(files.held, IsEmpty()) << c.name;
    }
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
        EXPECT_EQ(logs.End(outcome), "");
        EXPECT_THAT(m_files.files, IsEmpty());
        EXPECT_EQ(logs.KeptFolder(), "");
    }
    logs.Begin(kCode);
    // While the installer writes, neither the log nor its folder can be swapped.
    EXPECT_THAT(m_files.held, UnorderedElementsAre(FakeLogFiles::kFolder, kLogOfCode));
    EXPECT_EQ(logs.End(RemovalOutcome::Failed), kLogOfCode);
    EXPECT_THAT(m_files.held, ElementsAre(FakeLogFiles::kFolder));
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
    m_files.folders[FakeLogFiles::kFolder] = {};
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
