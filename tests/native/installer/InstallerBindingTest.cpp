#include "installer/InstallerBinding.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "FakeInstaller.h"
#include "installer/ProductInfo.h"
#include "installer/SystemLibrary.h"

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
    std::vector<unsigned> results;  // the installer's answers in turn, the last one repeating
    RemovalOutcome outcome;
    std::size_t calls;
};

void PrintTo(const RemoveCase& c, std::ostream* out) {
    for (unsigned result : c.results) *out << result << " ";
}

class Remove : public testing::TestWithParam<RemoveCase> {};

TEST_P(Remove, RemovedOnZeroAndRestartCodesRetriedWhileBusyFailedOtherwise) {
    FakeInstaller installer;
    installer.SetResults("{P}", GetParam().results);
    EXPECT_EQ(RemoveProductWithOutcome(installer, "{P}"), GetParam().outcome);
    EXPECT_EQ(installer.ConfigureCalls().size(), GetParam().calls);
    // Every call but the first came one second after the one before it.
    EXPECT_EQ(installer.WaitedMilliseconds(), (GetParam().calls - 1) * 1000u);
    EXPECT_EQ(RemoveProduct(installer, "{P}"), GetParam().outcome == RemovalOutcome::Failed);
}

constexpr unsigned kBusy = 1618;
constexpr auto kRemoved = RemovalOutcome::Removed;
constexpr auto kRestart = RemovalOutcome::RemovedRestartRequired;
constexpr auto kFailed = RemovalOutcome::Failed;

INSTANTIATE_TEST_SUITE_P(
    Results, Remove,
    testing::Values(RemoveCase{{0}, kRemoved, 1}, RemoveCase{{1}, kFailed, 1},
                    RemoveCase{{1605}, kFailed, 1},  // unknown product
                    RemoveCase{{1603}, kFailed, 1},
                    RemoveCase{{1602}, kFailed, 1},   // a package that gave up by itself
                    RemoveCase{{3010}, kRestart, 1},  // removed, restart required
                    RemoveCase{{1641}, kRestart, 1},  // removed, restart begun
                    RemoveCase{{0xFFFFFFFFu}, kFailed, 1},
                    RemoveCase{{kBusy, kBusy, kBusy, 0}, kRemoved, 4},
                    RemoveCase{{kBusy, 3010}, kRestart, 2}, RemoveCase{{kBusy, 1603}, kFailed, 2},
                    // Ten minutes of asking once a second, then it counts as failed.
                    RemoveCase{{kBusy}, kFailed, 601}));

TEST(RemoveProductCall, RemovesWithDefaultLevelAbsentStateAndNoRestart) {
    FakeInstaller installer;
    RemoveProduct(installer, "{12345678-ABCD-EF00-1234-567890ABCDEF}");
    ASSERT_EQ(installer.ConfigureCalls().size(), 1u);
    const FakeInstaller::ConfigureCall& call = installer.ConfigureCalls()[0];
    EXPECT_EQ(call.productCode, "{12345678-ABCD-EF00-1234-567890ABCDEF}");
    EXPECT_EQ(call.installLevel, 0);
    EXPECT_EQ(call.installState, 2);
    EXPECT_EQ(call.commandLine, "REBOOT=ReallySuppress MSIRESTARTMANAGERCONTROL=Disable");
    EXPECT_THAT(installer.UiCalls(), IsEmpty());
}

TEST(RemoveProductCall, ACancelEndsTheWaitForABusyInstaller) {
    FakeInstaller installer;
    installer.SetResults("{P}", {kBusy});
    installer.HonourCancel(false);
    installer.onConfigure = [&](const std::string&) {
        if (installer.ConfigureCalls().size() == 2) installer.RequestCancel();
    };
    EXPECT_EQ(RemoveProductWithOutcome(installer, "{P}"), RemovalOutcome::Cancelled);
    EXPECT_EQ(installer.ConfigureCalls().size(), 2u);
    EXPECT_TRUE(RemoveProduct(installer, "{P}")) << "a cancelled removal removed nothing";
}

TEST(RemoveProductCall, EmptyCodeIsPassedAsEmptyTextAndJudgedLikeAnyOther) {
    FakeInstaller installer;
    EXPECT_FALSE(RemoveProduct(installer, ""));
    installer.SetResult("", 1605);
    EXPECT_TRUE(RemoveProduct(installer, ""));
    ASSERT_EQ(installer.ConfigureCalls().size(), 2u);
    EXPECT_EQ(installer.ConfigureCalls()[0].productCode, "");
}

// A driver is taken for gone only when its value name is a product code in the installer's own
// form, the installer knows nothing of the product, and no instance of it is found for any user
// in any context; after a removal, only one that found no product.
struct GoneCase {
    const char* name;
    const char* productCode;
    int productState;
    unsigned enumeration;  // the first EnumProductsEx answer
    bool gone;
    unsigned removalResult = 1605;
};

const char kCode[] = "{C41F0A2E-5B8D-4E31-9A57-3D2B6E8F1A01}";
const GoneCase kGoneCases[] = {
    {"UnknownEverywhere", kCode, -1, 259, true},
    {"InstalledForAnotherUser", kCode, -1, 0, false},
    {"EnumerationFailed", kCode, -1, 1610, false},
    {"InstalledHere", kCode, 5, 259, false},
    {"Advertised", kCode, 1, 259, false},
    {"StateUnanswered", kCode, -2, 259, false},
    {"LowerCaseDigits", "{c41f0a2e-5b8d-4e31-9a57-3d2b6e8f1a01}", -1, 259, false},
    {"WithoutBraces", "C41F0A2E-5B8D-4E31-9A57-3D2B6E8F1A01", -1, 259, false},
    {"GroupsMisplaced", "{C41F0A2E5-B8D-4E31-9A57-3D2B6E8F1A01}", -1, 259, false},
    {"NotAHexDigit", "{C41F0A2E-5B8D-4E31-9A57-3D2B6E8F1A0G}", -1, 259, false},
    {"Empty", "", -1, 259, false},
    {"RemovalFailedOtherwise", kCode, -1, 259, true, 1603},
    {"RemovedAndNowUnknown", kCode, -1, 259, true, 0},
};

class ProductGone : public testing::TestWithParam<GoneCase> {};

TEST_P(ProductGone, OnlyInItsOwnFormUnknownToTheInstallerAndFoundForNobody) {
    const GoneCase& c = GetParam();
    FakeInstaller installer;
    installer.SetProductState(c.productCode, c.productState);
    installer.SetEnumeration(c.productCode, c.enumeration);
    EXPECT_EQ(IsProductGone(installer, c.productCode), c.gone);
    EXPECT_EQ(IsProductGone(installer, c.productCode, c.removalResult),
              c.gone && c.removalResult == 1605);
}

INSTANTIATE_TEST_SUITE_P(Answers, ProductGone, testing::ValuesIn(kGoneCases),
                         [](const testing::TestParamInfo<GoneCase>& c) { return c.param.name; });

TEST(ProductInfo, VersionAndDateOfAnInstalledProduct) {
    FakeInstaller installer;
    installer.SetProductInfo("{A}", "VersionString", "4.2.0.17");
    installer.SetProductInfo("{A}", "InstallDate", "20261209");
    // Longer than a first guess at a buffer: asked again with room for it.
    const std::string longVersion(300, '7');
    installer.SetProductInfo("{B}", "VersionString", longVersion);
    installer.SetProductInfo("{B}", "InstallDate", "2026-12-09");

    EXPECT_EQ(ProductVersion(installer, "{A}"), "4.2.0.17");
    EXPECT_EQ(ProductInstallDate(installer, "{A}"), "2026-12-09");
    EXPECT_EQ(ProductVersion(installer, "{B}"), longVersion);
    EXPECT_EQ(ProductInstallDate(installer, "{B}"), "");
    EXPECT_EQ(ProductVersion(installer, "{unknown}"), "");
    installer.FailProductInfo(1610);  // ERROR_BAD_CONFIGURATION
    EXPECT_EQ(ProductVersion(installer, "{A}"), "");
}

TEST(ProductInfo, InstallDateIsShownOnlyFromItsOwnForm) {
    EXPECT_EQ(IsoDateOf("20261209"), "2026-12-09");
    EXPECT_EQ(IsoDateOf("20280229"), "2028-02-29");
    EXPECT_EQ(IsoDateOf("20000229"), "2000-02-29");
    for (const char* raw : {"", "2026129", "202612090", "2026-12-09", "2026120a", "20261309",
                            "20261232", "+2026120", "20260431", "20270229", "19000229"}) {
        EXPECT_EQ(IsoDateOf(raw), "") << raw;
    }
}

// A loader that records what it is asked to do and answers with a fixed module; a path that
// ends in `missing` is not there.
class RecordingLoader : public LibraryLoader {
public:
    RecordingLoader(bool canSearch, std::string systemDirectory, std::string missing = "")
        : m_canSearch(canSearch),
          m_systemDirectory(std::move(systemDirectory)),
          m_missing(std::move(missing)) {}

    bool CanSearchSystemDirectoryOnly() override { return m_canSearch; }
    void* LoadFromSystemDirectory(const char* name) override {
        loads.push_back(std::string("system32-search:") + name);
        return this;
    }
    std::string SystemDirectory() override { return m_systemDirectory; }
    void* LoadFromPath(const char* path) override {
        const std::string text(path);
        loads.push_back("path:" + text);
        const bool isMissing =
            !m_missing.empty() && text.size() >= m_missing.size() &&
            text.compare(text.size() - m_missing.size(), std::string::npos, m_missing) == 0;
        return isMissing ? nullptr : this;
    }
    bool SearchSystemDirectoryOnlyFromNowOn() override {
        loads.push_back("default-search:system32");
        return m_canSearch;
    }
    void RemoveCurrentDirectoryFromSearch() override {
        loads.push_back("default-search:no-current-directory");
    }

    std::vector<std::string> loads;

private:
    bool m_canSearch;
    std::string m_systemDirectory;
    std::string m_missing;
};

TEST(LoadSystemLibrary, UsesTheSystemSearchOrElseTheAbsolutePathNeverTheBareName) {
    struct Case {
        bool canSearch;
        std::string systemDirectory;
        std::vector<std::string> loads;
    };
    const Case cases[] = {
        {true, "C:\\Windows\\system32", {"system32-search:msi.dll"}},
        // Windows Vista or 7 without the loader update.
        {false, "C:\\Windows\\system32", {"path:C:\\Windows\\system32\\msi.dll"}},
        {false, "C:\\", {"path:C:\\msi.dll"}},
        {false, "", {}},
    };
    for (const Case& c : cases) {
        RecordingLoader loader(c.canSearch, c.systemDirectory);
        void* module = LoadSystemLibrary(loader, "msi.dll");
        EXPECT_EQ(loader.loads, c.loads) << c.systemDirectory;
        EXPECT_EQ(module, c.loads.empty() ? nullptr : &loader) << c.systemDirectory;
    }
}

std::size_t Position(const std::vector<std::string>& loads, const std::string& load) {
    return static_cast<std::size_t>(std::find(loads.begin(), loads.end(), load) - loads.begin());
}

TEST(RestrictLibrarySearch, RestrictsFirstThenLoadsWhatSystemCodeLoadsByNameFromItsFullPath) {
    const std::string directory = "C:\\Windows\\system32\\";
    // The DLLs that system code is known to load by bare name, each with those it imports
    // (they must be in memory first, or their importer looks for them).
    const char* const kRequired[] = {"apphelp", "cfgmgr32", "cryptbase", "cryptsp", "dwmapi",
                                     "msimg32", "ntmarta",  "oleacc",    "profapi", "propsys",
                                     "userenv", "uxtheme",  "version",   "winmm",   "wtsapi32"};
    const std::pair<const char*, const char*> kImportedBy[] = {{"msimg32", "uxtheme"},
                                                               {"profapi", "userenv"}};
    struct Case {
        const char* name;
        bool canSearch;
        std::vector<std::string> restriction;
    };
    const Case cases[] = {
        {"with the loader update", true, {"default-search:system32"}},
        {"Windows Vista or 7 without it",
         false,
         {"default-search:system32", "default-search:no-current-directory"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingLoader loader(c.canSearch, "C:\\Windows\\system32", "uxtheme.dll");
        RestrictLibrarySearch(loader);

        const std::vector<std::string>& loads = loader.loads;
        ASSERT_GT(loads.size(), c.restriction.size());
        EXPECT_EQ(std::vector<std::string>(loads.begin(), loads.begin() + c.restriction.size()),
                  c.restriction);
        for (std::size_t i = c.restriction.size(); i < loads.size(); ++i) {
            EXPECT_EQ(loads[i].rfind("path:" + directory, 0), 0u) << loads[i];
        }
        // A DLL that is missing is passed over; the ones after it still load.
        for (const char* name : kRequired) {
            EXPECT_LT(Position(loads, "path:" + directory + name + ".dll"), loads.size()) << name;
        }
        for (const auto& [imported, importer] : kImportedBy) {
            EXPECT_LT(Position(loads, "path:" + directory + imported + ".dll"),
                      Position(loads, "path:" + directory + importer + ".dll"))
                << imported << " before " << importer;
        }
    }
}

TEST(RestrictLibrarySearch, WithoutASystemDirectoryOnlyRestricts) {
    RecordingLoader loader(false, "");
    RestrictLibrarySearch(loader);
    EXPECT_EQ(loader.loads, (std::vector<std::string>{"default-search:system32",
                                                      "default-search:no-current-directory"}));
}

}  // namespace
