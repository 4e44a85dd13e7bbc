#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CalvornCmdProcess.h"
#include "CalvornTest.h"
#include "Polling.h"
#include "RemoteWindows.h"
#include "res/resource.h"

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND TopLevelOfClass(DWORD processId, const std::string& className, HWND other = nullptr) {
    for (HWND window : TopLevelWindows(processId)) {
        if (window != other && ClassOf(window) == className) return window;
    }
    return nullptr;
}

BOOL CALLBACK FindEdit(HWND child, LPARAM found) {
    if (ClassOf(child) != "Edit" || !IsWindowVisible(child)) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

std::string FileContent(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// What the engineer does on one station, and what the deployment tool then does on another.
TEST_F(CalvornTest, TheWindowsSavedSelectionIsAListTheConsoleRemovesWithAJsonResult) {
    const std::string path = "C:\\calvorn-window-selection.csv";
    DeleteFileA(path.c_str());
    ASSERT_TRUE(m_manager.SelectLines({"Altheon AT3440 DMM\t.NET", "Altheon AT3440 DMM\tC"}));

    // Shift+F10 on the list: its menu, then Save Selection As... by its mnemonic.
    PostMessageW(m_manager.Handle(), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(m_manager.Control(IDC_DRIVER_LIST)), MAKELPARAM(-1, -1));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = TopLevelOfClass(m_calvorn.Id(), "#32768")); }));
    PostMessageW(menu, WM_CHAR, 's', 0);

    HWND save = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (save = TopLevelOfClass(m_calvorn.Id(), "#32770", m_manager.Handle())); }));
    HWND name = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        EnumChildWindows(save, FindEdit, reinterpret_cast<LPARAM>(&name));
        return name != nullptr;
    }));
    EXPECT_EQ(WindowText(name), "Drivers.csv");
    SendMessageW(name, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"C:\\calvorn-window-selection.csv"));
    PostMessageW(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(save, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return FileContent(path).find("Altheon") != std::string::npos; }));
    EXPECT_EQ(FileContent(path).rfind(
                  "ProductCode,Name,Class,ADE,Manufacturer,Installed,Version,InstallDate,"
                  "SoftwareModules,DriverSessions,LogicalNames\r\n",
                  0),
              0u);

    const CalvornCmdRun run = RunCalvornCmd("remove --from " + path + " --yes --format json");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    const nlohmann::json results = nlohmann::json::parse(run.output);
    ASSERT_EQ(results.size(), 2u) << run.output;
    EXPECT_EQ(results[0].at("productCode"), product::kAltheonDmmC);
    EXPECT_EQ(results[1].at("productCode"), product::kAltheonDmmNet);
    for (const nlohmann::json& result : results) {
        EXPECT_EQ(result.at("outcome"), "removed");
        EXPECT_EQ(result.at("installerResult"), 0);
    }
    ExpectInstalledAllBut({product::kAltheonDmmC, product::kAltheonDmmNet});
    DeleteFileA(path.c_str());
}

}  // namespace
