#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalvornTest.h"
#include "MessageBoxes.h"
#include "SampleDrivers.h"
#include "res/resource.h"

namespace {

// Names under which DLLs are planted beside elevated programs: the ones system code loads by
// bare name, and a few the program itself or Windows Installer use.
const char* const kPlantedNames[] = {
    "apphelp", "bcrypt",  "cfgmgr32", "comctl32", "crypt32",  "cryptbase", "cryptsp",
    "dbghelp", "dwmapi",  "dwrite",   "iphlpapi", "msi",      "msimg32",   "netapi32",
    "ntmarta", "oleacc",  "profapi",  "propsys",  "secur32",  "sspicli",   "userenv",
    "uxtheme", "version", "winhttp",  "winmm",    "wintrust", "wtsapi32",
};
// Wine's own user32 imports version.dll, so the program's import of user32 looks for it before
// the program's first instruction; Windows' user32 does not, and is a KnownDLL whose imports are
// KnownDLLs too. Planted all the same, but left to Wine's own first.
constexpr char kImportedByWineUser32[] = "version";

// Wine's overrides for the program of this file name alone (its WINEDLLOVERRIDES is read from
// the environment Wine itself started with, which a test cannot change for a process it starts).
constexpr char kOverridesKey[] = "Software\\Wine\\AppDefaults\\Calvorn.exe\\DllOverrides";

// Calvorn run from a folder of its own that also holds a stub DLL under each planted name. Wine
// takes its own DLLs before any others; the override makes it look for these names the way
// Windows does, the program's folder first.
class PlantedLibraryTest : public CalvornTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(MakeFolder());
        ASSERT_TRUE(OverrideWineLibraries());
        m_calvorn.SetExecutable(m_folder + "\\Calvorn.exe");
        CalvornTest::SetUp();
    }

    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kOverridesKey); }

    // The planted DLLs whose entry point ran.
    std::vector<std::string> PlantedLibrariesRun() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((m_folder + "\\*.loaded").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

private:
    static bool OverrideWineLibraries() {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kOverridesKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        static const char kNativeFirst[] = "native,builtin";
        bool written = true;
        for (const char* name : kPlantedNames) {
            if (std::string(name) == kImportedByWineUser32) continue;
            written = written && RegSetValueExA(key, name, 0, REG_SZ,
                                                reinterpret_cast<const BYTE*>(kNativeFirst),
                                                sizeof kNativeFirst) == ERROR_SUCCESS;
        }
        RegCloseKey(key);
        return written;
    }

    bool MakeFolder() const {
        CreateDirectoryA(m_folder.c_str(), nullptr);
        for (const std::string& marker : PlantedLibrariesRun()) {
            if (!DeleteFileA((m_folder + "\\" + marker).c_str())) return false;
        }
        if (!CopyFileA(WindowsPath(CALVORN_EXE_PATH).c_str(), (m_folder + "\\Calvorn.exe").c_str(),
                       FALSE)) {
            return false;
        }
        const std::string stub = WindowsPath(CALVORN_PLANTED_LIBRARY);
        for (const char* name : kPlantedNames) {
            const std::string planted = m_folder + "\\" + name + ".dll";
            if (!CopyFileA(stub.c_str(), planted.c_str(), FALSE)) return false;
        }
        return true;
    }

    const std::string m_folder = WindowsPath(CALVORN_PLANTED_FOLDER);
};

TEST_F(PlantedLibraryTest, NoneRunsFromStartThroughAFilterARemovalAndDone) {
    ASSERT_EQ(PlantedLibrariesRun(), std::vector<std::string>()) << "at start-up";
    ASSERT_TRUE(m_manager.ChooseFilter(IDC_CLASS_FILTER, "IviDCPwr"));
    ASSERT_TRUE(m_manager.SelectLines({"Kestrel KP2200 DC Supply\tC"}));
    m_manager.ClickRemove();
    for (int answer : {IDYES, IDOK}) {
        const ShownMessageBox box = WaitForMessageBox(m_calvorn.Id(), m_manager.Handle());
        ASSERT_NE(box.window, nullptr) << "no message box to answer " << answer;
        ASSERT_TRUE(Answer(box, answer));
    }
    ExpectInstalledAllBut({product::kKestrelSupply});
    PostMessageW(m_manager.Control(IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(m_calvorn.WaitForEnd());

    EXPECT_EQ(PlantedLibrariesRun(), std::vector<std::string>());
}

}  // namespace
