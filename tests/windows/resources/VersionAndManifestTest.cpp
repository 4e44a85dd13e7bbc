#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleResource.h"

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

}  // namespace
