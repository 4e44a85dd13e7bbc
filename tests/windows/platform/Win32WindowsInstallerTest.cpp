#include "platform/win32/Win32WindowsInstaller.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "PlatformTestPackage.h"
#include "catalog/DriverCatalog.h"
#include "installer/InstallerBinding.h"
#include "installer/ProductInfo.h"
#include "platform/win32/Win32LibraryLoader.h"
#include "platform/win32/Win32Registry.h"

namespace {

constexpr int kUiLevelNoChange = 0;
constexpr int kUiLevelNone = 2;
constexpr int kUiLevelReduced = 4;
constexpr int kUiLevelFull = 5;
constexpr int kStateUnknown = -1;
constexpr int kStateInvalidArg = -2;
constexpr int kStateDefault = 5;
constexpr unsigned kUnknownProduct = 1605;
const char* const kUnknownCode = "{6C0B5E3A-1D2F-4A8B-9C7D-0E1F2A3B4C5D}";

std::string ProgramDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

// Runs msiexec.exe with `arguments` and waits for it; returns its exit code.
DWORD RunMsiexec(const std::string& arguments) {
    std::string commandLine = "msiexec.exe " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        throw std::runtime_error("cannot start " + commandLine);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// MsiQueryProductStateA from the system's msi.dll, which the test asks directly so that its
// answer does not depend on the binding under test.
int ProductState(const char* productCode) {
    using QueryProductState = int(WINAPI*)(LPCSTR);
    HMODULE msi = LoadLibraryExA("msi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (msi == nullptr) throw std::runtime_error("no msi.dll");
    auto query = reinterpret_cast<QueryProductState>(
        reinterpret_cast<void (*)()>(GetProcAddress(msi, "MsiQueryProductStateA")));
    int state = query != nullptr ? query(productCode) : kStateUnknown;
    FreeLibrary(msi);
    return state;
}

// The loader of Windows Vista or 7 without the update that brought LOAD_LIBRARY_SEARCH_SYSTEM32:
// the binding must then name the system directory itself.
class LoaderWithoutSystemSearch : public Win32LibraryLoader {
public:
    bool CanSearchSystemDirectoryOnly() override { return false; }
    void* LoadFromSystemDirectory(const char*) override {
        ADD_FAILURE() << "the loader cannot search the system directory";
        return nullptr;
    }
    void* LoadFromPath(const char* path) override {
        paths.push_back(path);
        return Win32LibraryLoader::LoadFromPath(path);
    }
    std::vector<std::string> paths;
};

// The installer's actions as the binding tells them, and the threads they were told on.
class ActionRecorder : public InstallerActions {
public:
    void OnActionStart(const std::string& description) override {
        descriptions.push_back(description);
        threads.insert(GetCurrentThreadId());
    }
    std::vector<std::string> descriptions;
    std::set<DWORD> threads;
};

TEST(Win32WindowsInstaller, RemovesAnInstalledDriverPackageWithEitherLoader) {
    Win32LibraryLoader systemSearch;
    LoaderWithoutSystemSearch withoutSystemSearch;
    for (LibraryLoader* loader : {static_cast<LibraryLoader*>(&systemSearch),
                                  static_cast<LibraryLoader*>(&withoutSystemSearch)}) {
        SCOPED_TRACE(loader == &systemSearch ? "system search" : "absolute path");
        if (ProductState(kTestPackageCode) != kStateUnknown) {
            RunMsiexec(std::string("/x ") + kTestPackageCode + " /qn");
        }
        ASSERT_EQ(RunMsiexec("/i \"" + ProgramDirectory() + kTestPackageFile + "\" /qn"), 0u);
        ASSERT_EQ(ProductState(kTestPackageCode), kStateDefault);

        Win32Registry registry;
        Win32WindowsInstaller installer(*loader, "msi.dll");
        EXPECT_TRUE(IsProductInstalled(installer, kTestPackageCode));
        // Wine's enumeration over every user finds not even this package (it answers 259);
        // the state alone keeps it.
        EXPECT_FALSE(IsProductGone(installer, kTestPackageCode));
        DriverCatalog catalog(registry, installer, kTestPackageKey, 20);
        ASSERT_EQ(catalog.Reload(), 1);
        EXPECT_STREQ(catalog.GetField(DriverField::ProductCode, 0), kTestPackageCode);
        EXPECT_STREQ(catalog.NameAt(0), "Platform Test Driver");
        // The package's own version, and its install date in the form the list shows.
        EXPECT_EQ(ProductVersion(installer, kTestPackageCode), "1.0.0");
        const std::string date = ProductInstallDate(installer, kTestPackageCode);
        EXPECT_TRUE(date.size() == 10 && date[4] == '-' && date[7] == '-') << date;

        SetInstallerUiMode(installer, InstallerUiMode::Silent, nullptr);
        ActionRecorder actions;
        installer.WatchActions(&actions);
        EXPECT_FALSE(catalog.Uninstall(0));
        installer.WatchActions(nullptr);
        EXPECT_EQ(ProductState(kTestPackageCode), kStateUnknown);
        // Told on the thread that asked for the removal, though the installer runs on another.
        EXPECT_EQ(actions.threads, std::set<DWORD>{GetCurrentThreadId()});
        // Only the latest text is kept while the calling thread is busy, so a loaded machine may
        // skip some; the last action's description always arrives.
        ASSERT_FALSE(actions.descriptions.empty());
        EXPECT_EQ(actions.descriptions.back(), "Publishing product information");
        EXPECT_FALSE(IsProductInstalled(installer, kTestPackageCode));
        // Gone now, so a second removal is the installer's unknown product: a failure.
        EXPECT_TRUE(RemoveProduct(installer, kTestPackageCode));
        EXPECT_EQ(ProductVersion(installer, kTestPackageCode), "");
        int remaining = -1;
        try {
            remaining = catalog.Reload();
        } catch (const std::runtime_error&) {
            remaining = 0;  // the installer deleted the emptied key as well
        }
        EXPECT_EQ(remaining, 0);
    }
    char system[MAX_PATH];
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(withoutSystemSearch.paths,
              std::vector<std::string>{std::string(system, length) + "\\msi.dll"});
}

// Each removal runs on a thread of its own, which must be as silent as the window's thread.
TEST(Win32WindowsInstaller, TheUiLevelIsTheProcesssOnEveryThread) {
    Win32WindowsInstaller installer;
    void* owner = nullptr;
    const int previous = installer.SetInternalUi(kUiLevelNone, &owner);
    int seenElsewhere = -1;
    std::thread([&] { seenElsewhere = installer.SetInternalUi(kUiLevelNoChange, nullptr); }).join();
    EXPECT_EQ(seenElsewhere, kUiLevelNone);
    installer.SetInternalUi(previous, &owner);
}

TEST(Win32WindowsInstaller, UnknownAndEmptyProductCodesFail) {
    Win32WindowsInstaller installer;
    SetInstallerUiMode(installer, InstallerUiMode::Silent, nullptr);
    EXPECT_EQ(installer.ConfigureProduct(kUnknownCode, 0, 2, "REBOOT=ReallySuppress"),
              kUnknownProduct);
    EXPECT_TRUE(RemoveProduct(installer, kUnknownCode));
    EXPECT_TRUE(RemoveProduct(installer, ""));
    EXPECT_TRUE(RemoveProduct(installer, "not a product code"));
    EXPECT_EQ(installer.QueryProductState(kUnknownCode), kStateUnknown);
    EXPECT_FALSE(IsProductInstalled(installer, "not a product code"));
    EXPECT_EQ(ProductVersion(installer, kUnknownCode), "");
    // No instance for any user in any context: gone. Not a product code at all: never taken for
    // gone.
    EXPECT_EQ(installer.EnumProductsEx(kUnknownCode), static_cast<unsigned>(ERROR_NO_MORE_ITEMS));
    EXPECT_TRUE(IsProductGone(installer, kUnknownCode));
    EXPECT_FALSE(IsProductGone(installer, "NOT-A-PRODUCT-CODE"));
}

TEST(Win32WindowsInstaller, UiModeReachesTheInstallerWithItsOwner) {
    Win32WindowsInstaller installer;
    HWND desktop = GetDesktopWindow();
    SetInstallerUiMode(installer, InstallerUiMode::Reduced, desktop);
    void* owner = nullptr;
    EXPECT_EQ(installer.SetInternalUi(kUiLevelNoChange, &owner), kUiLevelReduced);
    EXPECT_EQ(owner, static_cast<void*>(desktop));

    SetInstallerUiMode(installer, InstallerUiMode::Full, nullptr);
    EXPECT_EQ(installer.SetInternalUi(kUiLevelNoChange, nullptr), kUiLevelFull);
    SetInstallerUiMode(installer, InstallerUiMode::Silent, nullptr);
    EXPECT_EQ(installer.SetInternalUi(kUiLevelNoChange, nullptr), kUiLevelNone);
}

TEST(Win32WindowsInstaller, InvalidUiModeLeavesTheInstallerAlone) {
    Win32WindowsInstaller installer;
    SetInstallerUiMode(installer, InstallerUiMode::Reduced, nullptr);
    for (int mode : {3, -1}) {
        EXPECT_THROW(SetInstallerUiMode(installer, static_cast<InstallerUiMode>(mode), nullptr),
                     std::runtime_error);
    }
    EXPECT_EQ(installer.SetInternalUi(kUiLevelNoChange, nullptr), kUiLevelReduced);
}

// The build puts a library of its own beside this program, kPlantedLibrary, whose entry points
// all answer kPlantedResult. Asked for that name, the binding must not find it: it looks in the
// system directory only. (Wine would load its own msi.dll even for a planted copy, hence the
// other name.)
TEST(Win32WindowsInstaller, LooksForItsLibraryInTheSystemDirectoryOnly) {
    {
        Win32WindowsInstaller installer(kPlantedLibrary);
        unsigned result = installer.ConfigureProduct(kUnknownCode, 0, 2, "");
        EXPECT_NE(result, static_cast<unsigned>(kPlantedResult));
        EXPECT_NE(result, 0u);
        EXPECT_NE(installer.SetInternalUi(kUiLevelNoChange, nullptr), kPlantedResult);
    }
    HMODULE planted = LoadLibraryA((ProgramDirectory() + kPlantedLibrary).c_str());
    ASSERT_NE(planted, nullptr) << "the planted library is missing, so this test proves nothing";
    using ConfigureProductEx = UINT(WINAPI*)(LPCSTR, int, int, LPCSTR);
    auto configure = reinterpret_cast<ConfigureProductEx>(
        reinterpret_cast<void (*)()>(GetProcAddress(planted, "MsiConfigureProductExA")));
    ASSERT_NE(configure, nullptr);
    EXPECT_EQ(configure(kUnknownCode, 0, 2, ""), static_cast<UINT>(kPlantedResult));
    FreeLibrary(planted);
}

TEST(Win32WindowsInstaller, UsesTheSystemMsi) {
    Win32WindowsInstaller installer;
    EXPECT_EQ(installer.ConfigureProduct(kUnknownCode, 0, 2, ""), kUnknownProduct);
}

TEST(Win32WindowsInstaller, WithoutTheLibraryRemovalsFailAndUiCallsDoNothing) {
    for (const char* library : {"calvorn-no-such-library.dll", "version.dll"}) {
        Win32WindowsInstaller installer(library);
        EXPECT_NE(installer.ConfigureProduct(kUnknownCode, 0, 2, ""), 0u) << library;
        EXPECT_TRUE(RemoveProduct(installer, kUnknownCode)) << library;
        EXPECT_TRUE(RemoveProduct(installer, "")) << library;
        // Without the installer nothing is known of any product, and nothing is taken for gone.
        EXPECT_EQ(installer.QueryProductState(kUnknownCode), kStateInvalidArg) << library;
        EXPECT_FALSE(IsProductGone(installer, kUnknownCode)) << library;
        EXPECT_EQ(ProductVersion(installer, kTestPackageCode), "") << library;
        SetInstallerUiMode(installer, InstallerUiMode::Silent, nullptr);
        EXPECT_EQ(installer.SetInternalUi(kUiLevelNoChange, nullptr), 0) << library;
    }
}

}  // namespace
