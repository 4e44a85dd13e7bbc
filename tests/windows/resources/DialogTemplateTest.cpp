#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cctype>
#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <string>

#include "DialogTemplate.h"
#include "ModuleResource.h"
#include "platform/win32/CommonControls.h"
#include "res/resource.h"

namespace {

// Window class names are case-insensitive, and the predefined classes may be stored as
// ordinals; both forms compare here by their lower-case name.
std::string ClassName(const NameOrOrdinal& field) {
    if (field.isOrdinal) {
        switch (field.ordinal) {
            case 0x80:
                return "button";
            case 0x81:
                return "edit";
            case 0x82:
                return "static";
            case 0x83:
                return "listbox";
            case 0x84:
                return "scrollbar";
            case 0x85:
                return "combobox";
            default:
                return "#" + std::to_string(field.ordinal);
        }
    }
    std::string name;
    for (char16_t c : field.text) {
        name.push_back(static_cast<char>(c < 0x80 ? std::tolower(static_cast<int>(c)) : '?'));
    }
    return name;
}

struct ExpectedControl {
    std::uint32_t id;
    const char* windowClass;
    const char16_t* text;
    std::int16_t x, y, width, height;
    std::uint32_t style;
};

constexpr std::uint32_t kNoId = 0xFFFFFFFF;

const ExpectedControl kManagerControls[] = {
    {IDC_REMOVE, "button", u"Remove", 72, 154, 50, 14, 0x58010000},
    {IDOK, "button", u"Done", 235, 187, 50, 14, 0x50010001},
    {kNoId, "static", u"Class", 20, 22, 43, 8, 0x5002000C},
    {IDC_DRIVER_LIST, "listbox", u"", 140, 10, 145, 166, 0x50A10D83},
    {IDC_CLASS_FILTER, "combobox", u"", 20, 34, 100, 104, 0x50230503},
    {IDC_MANUFACTURER_FILTER, "combobox", u"", 20, 71, 100, 105, 0x50230503},
    {kNoId, "static", u"Manufacturer", 20, 59, 43, 8, 0x5002000C},
    {IDC_ADE_FILTER, "combobox", u"", 20, 108, 100, 88, 0x50230503},
    {kNoId, "static", u"ADE", 20, 96, 43, 8, 0x5002000C},
    {kNoId, "button", u"Selections", 10, 6, 120, 129, 0x50000007},
    {IDC_REFRESH, "button", u"Refresh", 18, 154, 50, 14, 0x50010000},
    {kNoId, "button", u"Operations", 10, 141, 120, 35, 0x50000007},
};

// A regular template stores 16-bit ids, so "no id" reads back as 0xFFFF there.
constexpr std::uint32_t kNoShortId = 0xFFFF;

const ExpectedControl kProgressControls[] = {
    {IDC_PROGRESS, "msctls_progress32", u"Progress1", 7, 40, 186, 14, 0x50800000},
    {kNoShortId, "static", u"The drivers you selected are being uninstalled.", 7, 8, 147, 10,
     0x50020000},
    {kNoShortId, "static", u"Please wait...", 7, 21, 136, 8, 0x50020000},
    // SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS: one line, an ampersand shown as it is.
    {IDC_PROGRESS_DRIVER, "static", u"", 7, 61, 186, 8, 0x5002408C},
    {IDC_PROGRESS_ACTION, "static", u"", 7, 73, 186, 8, 0x5002408C},
    {IDCANCEL, "button", u"Cancel", 143, 90, 50, 14, 0x50010000},
};

void ExpectControls(const DialogTemplate& dialog, const ExpectedControl* expected,
                    std::size_t count) {
    ASSERT_EQ(dialog.controls.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        const DialogControl& control = dialog.controls[i];
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_EQ(ClassName(control.windowClass), expected[i].windowClass);
        EXPECT_FALSE(control.text.isOrdinal);
        EXPECT_EQ(control.text.text, expected[i].text);
        EXPECT_EQ(control.x, expected[i].x);
        EXPECT_EQ(control.y, expected[i].y);
        EXPECT_EQ(control.width, expected[i].width);
        EXPECT_EQ(control.height, expected[i].height);
        EXPECT_EQ(control.style, expected[i].style);
        EXPECT_EQ(control.exStyle, 0u);
        EXPECT_EQ(control.helpId, 0u);
        EXPECT_EQ(control.creationDataSize, 0u);
    }
}

TEST(DialogTemplateTest, ManagerWindowIsTheExtendedTemplateDescribed) {
    const auto bytes = LoadModuleResource(RT_DIALOG, IDD_MANAGER);
    ASSERT_FALSE(bytes.empty());
    const DialogTemplate dialog = ParseDialogTemplate(bytes);

    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ(dialog.style, 0x90CB00C0u);
    EXPECT_EQ(dialog.exStyle, 0x00040000u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.width, 295);
    EXPECT_EQ(dialog.height, 210);
    EXPECT_TRUE(dialog.menu.IsNone());
    EXPECT_TRUE(dialog.windowClass.IsNone());
    EXPECT_EQ(dialog.caption, u"Calvorn");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, 1);
    EXPECT_EQ(dialog.typeface, u"MS Sans Serif");
    ExpectControls(dialog, kManagerControls, std::size(kManagerControls));
    EXPECT_LT(dialog.trailingBytes, 4u);
}

TEST(DialogTemplateTest, ProgressWindowIsTheRegularTemplateDescribed) {
    const auto bytes = LoadModuleResource(RT_DIALOG, IDD_PROGRESS);
    ASSERT_FALSE(bytes.empty());
    const DialogTemplate dialog = ParseDialogTemplate(bytes);

    EXPECT_FALSE(dialog.extended);
    // WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, and no system menu.
    EXPECT_EQ(dialog.style, 0x90C000C0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.width, 200);
    EXPECT_EQ(dialog.height, 111);
    EXPECT_TRUE(dialog.menu.IsNone());
    EXPECT_TRUE(dialog.windowClass.IsNone());
    EXPECT_EQ(dialog.caption, u"Remove Selected Drivers");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, u"MS Sans Serif");
    ExpectControls(dialog, kProgressControls, std::size(kProgressControls));
    EXPECT_LT(dialog.trailingBytes, 4u);
    // Every control inside the window, and no two on top of each other.
    for (const DialogControl& control : dialog.controls) {
        EXPECT_LE(control.x + control.width, dialog.width - 7) << control.id;
        EXPECT_LE(control.y + control.height, dialog.height - 7) << control.id;
        for (const DialogControl& other : dialog.controls) {
            if (&other == &control) continue;
            const bool apart =
                control.x + control.width <= other.x || other.x + other.width <= control.x ||
                control.y + control.height <= other.y || other.y + other.height <= control.y;
            EXPECT_TRUE(apart) << control.id << " overlaps " << other.id;
        }
    }
}

TEST(DialogTemplateTest, BothTemplatesCreateRealWindows) {
    // The window system must accept the templates as they are: every class known, every field
    // where it belongs.
    ASSERT_TRUE(InitCommonControlClasses(ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES));
    for (int templateId : {IDD_MANAGER, IDD_PROGRESS}) {
        SCOPED_TRACE(templateId);
        HWND window = CreateDialogParamA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr,
            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        ASSERT_NE(window, nullptr) << GetLastError();
        char caption[64] = {};
        GetWindowTextA(window, caption, sizeof caption);
        EXPECT_STREQ(caption, templateId == IDD_MANAGER ? "Calvorn" : "Remove Selected Drivers");
        EXPECT_NE(GetDlgItem(window, templateId == IDD_MANAGER ? IDC_DRIVER_LIST : IDC_PROGRESS),
                  nullptr);
        DestroyWindow(window);
    }
}

TEST(DialogTemplateTest, ParserRejectsTruncatedTemplates) {
    auto bytes = LoadModuleResource(RT_DIALOG, IDD_MANAGER);
    ASSERT_GT(bytes.size(), 40u);
    bytes.resize(bytes.size() - 20);
    EXPECT_THROW(ParseDialogTemplate(bytes), std::out_of_range);
}

}  // namespace
