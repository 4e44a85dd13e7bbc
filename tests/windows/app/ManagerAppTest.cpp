#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "FakeInstaller.h"
#include "FakeRegistry.h"
#include "MessageBoxAnswerer.h"
#include "app/InstanceGuard.h"
#include "app/ManagerApp.h"
#include "framework/memory/MemoryWindowSystem.h"
#include "res/resource.h"
#include "ui/ManagerDialog.h"

namespace {

// Opens the protected steps of the application to the test.
class TestableManagerApp : public ManagerApp {
public:
    using ManagerApp::InitInstance;
    using ManagerApp::RunMainWindow;
};

// Starts as ManagerApp would, but its start-up runs out of memory.
class FailingManagerApp : public ManagerApp {
protected:
    bool InitInstance() override { throw std::bad_alloc(); }
};

MemoryTemplate ManagerTemplate() {
    MemoryTemplate manager;
    manager.controls = {
        {IDC_REMOVE, MemoryControlKind::Button, false, true, false},
        {IDOK, MemoryControlKind::Button, false, false, true},
        {IDC_DRIVER_LIST, MemoryControlKind::ListBox, true},
        {IDC_CLASS_FILTER, MemoryControlKind::ComboBox, true},
        {IDC_MANUFACTURER_FILTER, MemoryControlKind::ComboBox, true},
        {IDC_ADE_FILTER, MemoryControlKind::ComboBox, true},
        {IDC_REFRESH, MemoryControlKind::Button},
    };
    return manager;
}

class ManagerAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_windows.AddTemplate(IDD_MANAGER, ManagerTemplate());
        m_windows.AddIcon(IDR_MAINFRAME);
        m_registry.AddText("SOFTWARE\\Velmora\\IVI\\Drivers", "{P1}", "Meter;IviDmm;C;Maker");
    }
    void TearDown() override { g_instanceMutexError = 0; }

    MemoryWindowSystem m_windows;
    FakeRegistry m_registry;
    FakeInstaller m_installer;
    TestableManagerApp m_application;
};

int g_windowsCreated = 0;

LRESULT CALLBACK CountCreations(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) ++g_windowsCreated;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ManagerAppTest, SecondInstanceEndsWithoutCreatingAnyWindow) {
    g_instanceMutexError = ERROR_ALREADY_EXISTS;
    g_windowsCreated = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, CountCreations, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    // Were the main window to run, this would not return until it was closed.
    EXPECT_EQ(m_application.Run(GetModuleHandleA(nullptr)), 0);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_windowsCreated, 0);
    EXPECT_EQ(m_application.GetMainWindow(), nullptr);
}

TEST_F(ManagerAppTest, MainWindowIsTheManagerDialogForTheLengthOfItsRun) {
    Dialog* seen = nullptr;
    m_windows.onModal = [&](MemoryDialogWindow& window) {
        seen = m_application.GetMainWindow();
        EXPECT_NE(dynamic_cast<ManagerDialog*>(seen), nullptr);
        EXPECT_EQ(window.TemplateId(), IDD_MANAGER);
        EXPECT_EQ(m_registry.OpenCalls(), 1) << "read when the window started";
        window.Click(IDOK);
    };
    m_application.RunMainWindow(m_windows, m_registry, m_installer);

    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(m_windows.CreatedCount(IDD_MANAGER), 1);
    EXPECT_EQ(m_windows.LastCreated(IDD_MANAGER)->ParentTemplateId(), 0) << "no owner";
    EXPECT_EQ(m_application.GetMainWindow(), nullptr);
    ASSERT_EQ(m_installer.UiCalls().size(), 1u);
    EXPECT_EQ(m_installer.UiCalls()[0].level, 2) << "silent";
}

TEST_F(ManagerAppTest, CancelEndsTheRunLikeDone) {
    m_windows.onModal = [](MemoryDialogWindow& window) { window.PressEscape(); };
    m_application.RunMainWindow(m_windows, m_registry, m_installer);
    ASSERT_NE(m_windows.LastCreated(IDD_MANAGER), nullptr);
    EXPECT_EQ(m_windows.LastCreated(IDD_MANAGER)->EndResult(), IDCANCEL);
    EXPECT_TRUE(m_windows.LastCreated(IDD_MANAGER)->IsDestroyed());
    EXPECT_EQ(m_application.GetMainWindow(), nullptr);
}

TEST_F(ManagerAppTest, ExceptionFromTheRunLeavesNoMainWindowBehind) {
    m_windows.onModal = [](MemoryDialogWindow&) { throw std::runtime_error("user gone"); };
    EXPECT_THROW(m_application.RunMainWindow(m_windows, m_registry, m_installer),
                 std::runtime_error);
    EXPECT_EQ(m_application.GetMainWindow(), nullptr);
    ASSERT_NE(m_windows.LastCreated(IDD_MANAGER), nullptr);
    EXPECT_TRUE(m_windows.LastCreated(IDD_MANAGER)->IsDestroyed());
}

TEST_F(ManagerAppTest, AnExceptionThatEndsTheProgramIsShownInAnUnownedErrorBox) {
    MessageBoxAnswerer answerer(IDOK, true);
    FailingManagerApp application;
    EXPECT_EQ(application.Run(GetModuleHandleA(nullptr)), kExitUnexpectedError);
    ASSERT_EQ(answerer.Seen(), 1);
    EXPECT_EQ(answerer.Owner(), nullptr);
    EXPECT_EQ(answerer.Caption(), L"calvorn_app_tests");
    EXPECT_EQ(answerer.Text(), L"The program ended after an unexpected error: std::bad_alloc");
    EXPECT_EQ(answerer.Icon(), LoadIconA(nullptr, IDI_HAND));
}

TEST_F(ManagerAppTest, HelpCommandIsHandledWithoutAnyWindow) {
    g_windowsCreated = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, CountCreations, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_TRUE(m_application.OnCommand(kIdHelp));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_windowsCreated, 0);
    EXPECT_FALSE(m_application.OnCommand(kIdHelp + 1));
}

}  // namespace
