#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cctype>
#include <string>
#include <vector>

#include "ModuleResource.h"
#include "platform/win32/CommonControls.h"

namespace {

std::vector<unsigned char> OwnVersionInfo() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    std::vector<unsigned char> info(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, info.data())) return {};
    return info;
}

TEST(VersionTest, FixedInfoIsVersion1140OfAWin32Application) {
    auto info = OwnVersionInfo();
    ASSERT_FALSE(info.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00040000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00040000u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(VersionTest, TranslationIsUsEnglishUnicode) {
    auto info = OwnVersionInfo();
    ASSERT_FALSE(info.empty());
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);
}

struct ExpectedString {
    const char* name;
    const char* value;
};

const ExpectedString kStrings[] = {
    {"FileVersion", "1, 1, 4, 0"},
    {"ProductVersion", "1, 1, 4, 0"},
    {"FileDescription", "Application for managing IVI specific driver installations"},
    {"ProductName", "Calvorn"},
    {"OriginalFilename", "Calvorn.exe"},
    {"Comments", ""},
    {"LegalTrademarks", ""},
    {"PrivateBuild", ""},
    {"SpecialBuild", ""},
};

TEST(VersionTest, StringsOfTheUsEnglishBlock) {
    auto info = OwnVersionInfo();
    ASSERT_FALSE(info.empty());
    for (const ExpectedString& expected : kStrings) {
        SCOPED_TRACE(expected.name);
        const std::string key = std::string("\\StringFileInfo\\040904B0\\") + expected.name;
        char* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(
            VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::string(length > 0 ? value : ""), expected.value);
    }
}

TEST(VersionTest, CompanyNameAndCopyrightAreFilledIn) {
    auto info = OwnVersionInfo();
    ASSERT_FALSE(info.empty());
    for (const char* name : {"CompanyName", "LegalCopyright", "InternalName"}) {
        SCOPED_TRACE(name);
        const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
        char* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(
            VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_GT(length, 1u);
    }
}

std::string Manifest() {
    const auto bytes = LoadModuleResource(RT_MANIFEST, 1);
    return std::string(bytes.begin(), bytes.end());
}

TEST(ManifestTest, DeclaresWhatTheProgramNeeds) {
    const std::string manifest = Manifest();
    ASSERT_FALSE(manifest.empty());
    const char* const required[] = {
        "<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\"",
        ">true</dpiAware>",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* text : required) {
        EXPECT_NE(manifest.find(text), std::string::npos) << text;
    }
}

// Like Calvorn.exe, this program carries the manifest and does not import comctl32: loaded at
// run time, it must still be the version 6 that the manifest asks for, from the side-by-side
// store. Wine 8 ships one comctl32 for both assemblies, whose DllGetVersion says 5.81.
TEST(ManifestTest, CommonControlsLoadedAtRunTimeAreVersion6) {
    ASSERT_TRUE(InitCommonControlClasses(ICC_PROGRESS_CLASS));
    HMODULE comctl32 = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(comctl32, nullptr);

    char path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(comctl32, path, MAX_PATH), 0u);
    std::string lowerPath(path);
    for (char& c : lowerPath) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lowerPath.find("\\winsxs\\"), std::string::npos) << path;
    EXPECT_NE(lowerPath.find("_microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::string::npos)
        << path;

    const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(comctl32, "DllGetVersion")));
    ASSERT_NE(getVersion, nullptr);
    DLLVERSIONINFO version = {};
    version.cbSize = sizeof version;
    ASSERT_EQ(getVersion(&version), S_OK);
    const bool underWine =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(version.dwMajorVersion, underWine ? 5u : 6u);
}

}  // namespace
