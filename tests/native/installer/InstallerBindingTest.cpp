#include "installer/InstallerBinding.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "FakeInstaller.h"

using testing::IsEmpty;

namespace {

struct LevelCase {
    InstallerUiMode mode;
    int level;
};

void PrintTo(const LevelCase& c, std::ostream* out) { *out << "mode " << static_cast<int>(c.mode); }

class UiMode : public testing::TestWithParam<LevelCase> {};

TEST_P(UiMode, SetsTheMatchingLevelWithTheOwnerHandle) {
    FakeInstaller installer;
    int window = 0;
    SetInstallerUiMode(installer, GetParam().mode, &window);
    ASSERT_EQ(installer.UiCalls().size(), 1u);
    EXPECT_EQ(installer.UiCalls()[0].level, GetParam().level);
    EXPECT_EQ(installer.UiCalls()[0].owner, &window);
    EXPECT_THAT(installer.ConfigureCalls(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Modes, UiMode,
                         testing::Values(LevelCase{InstallerUiMode::Full, 5},
                                         LevelCase{InstallerUiMode::Reduced, 4},
                                         LevelCase{InstallerUiMode::Silent, 2}));

TEST(UiModeOwner, PassesTheAddressOfAVariableHoldingTheOwner) {
    // A null address would leave the owner unchanged; the installer must be able to write back.
    class OwnerCheck : public FakeInstaller {
    public:
        int SetInternalUi(int level, void** ownerWindow) override {
            passedAddress = ownerWindow != nullptr;
            if (ownerWindow != nullptr) *ownerWindow = nullptr;
            return FakeInstaller::SetInternalUi(level, ownerWindow);
        }
        bool passedAddress = false;
    } installer;
    int window = 0;
    SetInstallerUiMode(installer, InstallerUiMode::Silent, &window);
    EXPECT_TRUE(installer.passedAddress);
}

TEST(UiModeInvalid, ThrowsBeforeAnyInstallerCall) {
    for (int mode : {3, -1, 4, INT_MIN, INT_MAX}) {
        FakeInstaller installer;
        int window = 0;
        try {
            SetInstallerUiMode(installer, static_cast<InstallerUiMode>(mode), &window);
            ADD_FAILURE() << "nothing thrown for mode " << mode;
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "Invalid UI Mode") << mode;
        }
        EXPECT_THAT(installer.UiCalls(), IsEmpty()) << mode;
        EXPECT_THAT(installer.ConfigureCalls(), IsEmpty()) << mode;
    }
}

struct RemoveCase {
    unsigned result;
    bool failed;
};

void PrintTo(const RemoveCase& c, std::ostream* out) { *out << "result " << c.result; }

class Remove : public testing::TestWithParam<RemoveCase> {};

TEST_P(Remove, FailsForEveryResultButZero) {
    FakeInstaller installer;
    installer.SetResult("{P}", GetParam().result);
    EXPECT_EQ(RemoveProduct(installer, "{P}"), GetParam().failed);
}

INSTANTIATE_TEST_SUITE_P(Results, Remove,
                         testing::Values(RemoveCase{0, false}, RemoveCase{1, true},
                                         RemoveCase{1605, true},  // unknown product
                                         RemoveCase{1603, true}, RemoveCase{1641, true},
                                         RemoveCase{3010, true},  // restart required
                                         RemoveCase{0xFFFFFFFFu, true}));

TEST(RemoveProductCall, RemovesWithDefaultLevelAbsentStateAndNoRestart) {
    FakeInstaller installer;
    RemoveProduct(installer, "{12345678-ABCD-EF00-1234-567890ABCDEF}");
    ASSERT_EQ(installer.ConfigureCalls().size(), 1u);
    const FakeInstaller::ConfigureCall& call = installer.ConfigureCalls()[0];
    EXPECT_EQ(call.productCode, "{12345678-ABCD-EF00-1234-567890ABCDEF}");
    EXPECT_EQ(call.installLevel, 0);
    EXPECT_EQ(call.installState, 2);
    EXPECT_EQ(call.commandLine, "REBOOT=ReallySuppress");
    EXPECT_THAT(installer.UiCalls(), IsEmpty());
}

TEST(RemoveProductCall, EmptyCodeIsPassedAsEmptyTextAndJudgedLikeAnyOther) {
    FakeInstaller installer;
    EXPECT_FALSE(RemoveProduct(installer, ""));
    installer.SetResult("", 1605);
    EXPECT_TRUE(RemoveProduct(installer, ""));
    ASSERT_EQ(installer.ConfigureCalls().size(), 2u);
    EXPECT_EQ(installer.ConfigureCalls()[0].productCode, "");
}

}  // namespace
