#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <set>
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
const std::string kLogOfCode = std::string(FakeLogFiles::kFolder) + "\\" + kCode + ".log";
const std::string kNamed = "D:\\Logs";
const std::string kNamedLogOfCode = kNamed + "\\" + kStamp + "-" + kCode + ".log";

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
    EXPECT_EQ(RemovalLogs::FileName("", kCode, 1), std::string(kCode) + ".log");
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
        {user, user, "", user},
        {std::nullopt, user, "", user},
        {system2, system, "", system2},
        {std::nullopt, system, "", system},
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
        EXPECT_EQ(choice.named, *c.named != '\0') << c.folder;
    }
}

TEST(LogFolderAcceptance, OnlyANamedFolderItselfHeldOpenGetsLogsAndStays) {
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
        if (c.present) files.folders[kNamed] = {c.kind, c.onHandle, c.opens};
        {
            RemovalLogs logs(installer, &files, kNamed);
            logs.Begin(kCode);
            logs.End(RemovalOutcome::Removed);
            logs.Begin(kCode);
            EXPECT_EQ(logs.End(RemovalOutcome::Failed),
                      c.refusal == Refusal::None ? kNamedLogOfCode : "")
                << c.name;
            EXPECT_EQ(logs.Refusal(), c.refusal) << c.name;
        }
        EXPECT_EQ(files.files.size(), c.refusal == Refusal::None ? 1u : 0u) << c.name;
        EXPECT_EQ(files.folders.count(kNamed), c.refusal == Refusal::Missing ? 0u : 1u) << c.name;
        EXPECT_THAT(files.held, IsEmpty()) << c.name;
    }
}

// The folder a pass makes for its logs: never a name already taken, gone at the end unless it
// keeps a log.
TEST(PassLogFolder, IsANewFolderUnderAFreeNameKeptOnlyWithALog) {
    const std::string first = FakeLogFiles::kFolder;
    constexpr auto kFailed = RemovalOutcome::Failed;
    constexpr auto kRemoved = RemovalOutcome::Removed;
    const struct {
        const char* name;
        FileKind taken;  // what holds the names taken before the pass
        int takenCount;  // from the first name on
        RemovalOutcome outcome;
        const char* kept;  // the pass's folder after it, by what follows the first name
    } cases[] = {
        {"FreeNameKeepsAFailure", {}, 0, kFailed, ""},
        {"FreeNameGoesWithoutAFailure", {}, 0, kRemoved, nullptr},
        {"TakenByAFolder", {true, false}, 1, kFailed, "-2"},
        {"TakenByAFile", {false, false}, 1, kFailed, "-2"},
        {"TakenByLinks", {true, true}, 3, kFailed, "-4"},
        {"EveryNameTaken", {true, false}, 100, kFailed, nullptr},
    };
    for (const auto& c : cases) {
        FakeInstaller installer;
        FakeLogFiles files;
        std::set<std::string> folders;
        for (int n = 1; n <= c.takenCount; ++n) {
            const std::string name = n == 1 ? first : first + "-" + std::to_string(n);
            files.folders[name] = {c.taken, c.taken, true};
            folders.insert(name);
        }
        const std::string log = c.kept ? first + c.kept + "\\" + kCode + ".log" : "";
        {
            RemovalLogs logs(installer, &files);
            logs.Begin(kCode);
            EXPECT_EQ(logs.End(c.outcome), log) << c.name;
            EXPECT_EQ(logs.Refusal() == LogFolderRefusal::Missing, c.takenCount == 100) << c.name;
        }
        if (c.kept) folders.insert(first + c.kept);
        std::set<std::string> after;
        for (const auto& entry : files.folders) after.insert(entry.first);
        EXPECT_EQ(after, folders) << c.name;
        EXPECT_EQ(files.files, c.kept ? std::set<std::string>{log} : std::set<std::string>{})
            << c.name;
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
    m_files.folders[kNamed] = {};
    m_files.files.insert(kNamedLogOfCode);
    RemovalLogs logs(m_installer, &m_files, kNamed);
    logs.Begin(kCode);
    logs.End(RemovalOutcome::Failed);
    const std::string second = kNamed + "\\" + kStamp + "-" + kCode + "-2.log";
    EXPECT_THAT(m_files.files, UnorderedElementsAre(kNamedLogOfCode, second));
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
