#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "FrameworkTestResources.h"
#include "MessageBoxAnswerer.h"
#include "Win32TestDialog.h"
#include "framework/win32/Win32WindowSystem.h"

namespace {

using Texts = std::vector<std::string>;

void PostCommand(HWND window, int id) {
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

RECT WindowRect(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

// Templates place the client area; the frame lies around it.
POINT ClientOrigin(HWND window) {
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    return origin;
}

RECT WorkArea() {
    RECT area = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

class Win32WindowSystemTest : public ::testing::Test {
protected:
    Win32WindowSystem system{::GetModuleHandleA(nullptr)};
};

TEST_F(Win32WindowSystemTest, ModalRunEndsWithTheCommandThatEndsIt) {
    struct EndCase {
        const char* name;
        void (*end)(HWND dialog);
        int expected;
    };
    const EndCase cases[] = {
        {"IDOK", [](HWND dialog) { PostCommand(dialog, IDOK); }, IDOK},
        {"IDCANCEL", [](HWND dialog) { PostCommand(dialog, IDCANCEL); }, IDCANCEL},
        {"close box", [](HWND dialog) { ::PostMessageA(dialog, WM_CLOSE, 0, 0); }, IDCANCEL},
        {"Escape",
         [](HWND dialog) {
             HWND focus = ::GetFocus();
             ::PostMessageA(focus ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         },
         IDCANCEL},
        {"Enter on the default button",
         [](HWND dialog) {
             HWND focus = ::GetFocus();
             ::PostMessageA(focus ? focus : dialog, WM_KEYDOWN, VK_RETURN, 0x001C0001);
         },
         IDOK},
    };
    for (const EndCase& end : cases) {
        SCOPED_TRACE(end.name);
        Win32TestDialog dialog(system, IDD_TEST_MAIN);
        HWND window = nullptr;
        dialog.onStart = [&] {
            window = dialog.Hwnd();
            end.end(window);
        };

        EXPECT_EQ(dialog.DoModal(), end.expected);

        EXPECT_NE(window, nullptr);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(dialog.GetWindow(), nullptr);
        EXPECT_EQ(dialog.list.GetControlWindow(), nullptr);
    }
}

TEST_F(Win32WindowSystemTest, MissingTemplateEndsTheRunAtOnce) {
    Win32TestDialog dialog(system, 999);

    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create(999, nullptr));
    EXPECT_EQ(dialog.GetWindow(), nullptr);
}

TEST_F(Win32WindowSystemTest, InitialControlDataIsInTheControlsBeforeTheyAreBound) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    dialog.onStart = [&] { PostCommand(dialog.Hwnd(), IDOK); };

    dialog.DoModal();

    EXPECT_EQ(dialog.comboAtBind, (Texts{"", "Beta"}));
    EXPECT_EQ(dialog.listAtBind, Texts{"Alpha"});
}

TEST_F(Win32WindowSystemTest, WrappersReachTheRealControls) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    dialog.onStart = [&] {
        EXPECT_EQ(dialog.list.AddString("Zulu"), 1);
        EXPECT_EQ(dialog.list.AddString("alpha"), 0);
        dialog.list.SetItemData(2, 7);
        EXPECT_EQ(dialog.list.GetItemData(2), 7);
        EXPECT_EQ(dialog.list.DeleteString(0), 2);
        EXPECT_EQ(dialog.combo.GetCurSel(), CB_ERR);

        dialog.progress.SetRange(0, 3);
        dialog.progress.SetPos(0);
        EXPECT_EQ(dialog.progress.OffsetPos(1), 0);
        EXPECT_EQ(
            ::SendMessageA(static_cast<HWND>(dialog.progress.GetSafeHandle()), kPbmGetPos, 0, 0),
            1);

        EXPECT_FALSE(dialog.button.EnableWindow(false));
        EXPECT_FALSE(dialog.button.IsWindowEnabled());
        EXPECT_TRUE(dialog.button.EnableWindow(true));
        dialog.GetWindow()->PaintNow();
        PostCommand(dialog.Hwnd(), IDOK);
    };

    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(Win32WindowSystemTest, ResultsReachTheSenderAndUnhandledMessagesTheDefault) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    HICON icon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    dialog.dragIcon = icon;
    dialog.onStart = [&] {
        HWND window = dialog.Hwnd();
        EXPECT_EQ(::SendMessageA(window, WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(icon));

        dialog.setIconCallsDefault = false;
        ::SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        EXPECT_EQ(::SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);

        dialog.setIconCallsDefault = true;
        ::SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        EXPECT_EQ(::SendMessageA(window, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(icon));
        PostCommand(window, IDOK);
    };

    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(Win32WindowSystemTest, KeysInAListThatReportsThemKeepTheirListMeaning) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    dialog.onStart = [&] {
        for (const char* text : {"a", "b", "c", "d", "e"}) dialog.list.AddString(text);
        HWND list = static_cast<HWND>(dialog.list.GetSafeHandle());
        ::SendMessageA(list, LB_SETCARETINDEX, 2, FALSE);
        ::SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(::SendMessageA(list, LB_GETCARETINDEX, 0, 0), 3);
        PostCommand(dialog.Hwnd(), IDOK);
    };

    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(Win32WindowSystemTest, UnownedDialogAtZeroZeroIsCentredOnTheWorkArea) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    RECT frame = {};
    dialog.onStart = [&] {
        frame = WindowRect(dialog.Hwnd());
        PostCommand(dialog.Hwnd(), IDOK);
    };

    dialog.DoModal();

    const RECT work = WorkArea();
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    EXPECT_GT(width, 0);
    EXPECT_NEAR(frame.left, work.left + (work.right - work.left - width) / 2, 1);
    EXPECT_NEAR(frame.top, work.top + (work.bottom - work.top - height) / 2, 1);
}

TEST_F(Win32WindowSystemTest, UnownedDialogWithAPositionStaysThere) {
    Win32TestDialog dialog(system, IDD_TEST_PLACED);
    dialog.bindsControls = false;
    POINT client = {};
    RECT placed = {30, 20, 0, 0};
    dialog.onStart = [&] {
        client = ClientOrigin(dialog.Hwnd());
        ::MapDialogRect(dialog.Hwnd(), &placed);
        PostCommand(dialog.Hwnd(), IDOK);
    };

    dialog.DoModal();

    EXPECT_EQ(client.x, placed.left);
    EXPECT_EQ(client.y, placed.top);
}

TEST_F(Win32WindowSystemTest, OwnedModelessDialogSitsAtTheOwnersClientOrigin) {
    Win32TestDialog main(system, IDD_TEST_MAIN);
    Win32TestDialog owned(system, IDD_TEST_OWNED);
    owned.bindsControls = false;
    POINT client = {};
    POINT ownerClient = {};
    HWND owner = nullptr;
    bool visible = false;
    main.onStart = [&] {
        ASSERT_TRUE(owned.Create(IDD_TEST_OWNED, &main));
        client = ClientOrigin(owned.Hwnd());
        ownerClient = ClientOrigin(main.Hwnd());
        owner = ::GetWindow(owned.Hwnd(), GW_OWNER);
        visible = ::IsWindowVisible(owned.Hwnd()) != FALSE;
        owned.DestroyWindow();
        PostCommand(main.Hwnd(), IDOK);
    };
    HWND mainWindow = nullptr;
    main.onInit = [&] { mainWindow = main.Hwnd(); };

    EXPECT_EQ(main.DoModal(), IDOK);

    EXPECT_EQ(client.x, ownerClient.x);
    EXPECT_EQ(client.y, ownerClient.y);
    EXPECT_EQ(owner, mainWindow);
    EXPECT_TRUE(visible);
    EXPECT_EQ(owned.GetWindow(), nullptr);
}

TEST_F(Win32WindowSystemTest, OkOrCancelDestroysAModelessWindowAndLeavesItsOwnerRunning) {
    // What the dialog manager makes of Enter and Escape in the window.
    for (const int command : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(command);
        Win32TestDialog main(system, IDD_TEST_MAIN);
        Win32TestDialog owned(system, IDD_TEST_OWNED);
        owned.bindsControls = false;
        HWND window = nullptr;
        bool windowLeft = true;
        bool ownerRan = false;
        main.onStart = [&] {
            ASSERT_TRUE(owned.Create(&main));
            window = owned.Hwnd();
            ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
            windowLeft = ::IsWindow(window) != FALSE;
            ::PostMessageA(main.Hwnd(), kWmPoke, 0, 0);
        };
        // Reached only while the owner's run goes on.
        main.onPoke = [&] {
            ownerRan = true;
            PostCommand(main.Hwnd(), IDOK);
        };

        EXPECT_EQ(main.DoModal(), IDOK);

        EXPECT_NE(window, nullptr);
        EXPECT_FALSE(windowLeft);
        EXPECT_EQ(owned.GetWindow(), nullptr);
        EXPECT_TRUE(ownerRan);
    }
}

TEST_F(Win32WindowSystemTest, MessageBoxWithoutCaptionShowsTheExecutablesName) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    int answer = 0;
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    dialog.onStart = [&] {
        MessageBoxAnswerer answerer(IDOK);
        answer = dialog.MessageBox("All selected drivers were uninstalled successfully");
        caption = answerer.Caption();
        text = answerer.Text();
        owner = answerer.Owner();
        PostCommand(dialog.Hwnd(), IDOK);
    };
    HWND window = nullptr;
    dialog.onInit = [&] { window = dialog.Hwnd(); };

    dialog.DoModal();

    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(caption, L"calvorn_framework_win32_tests");
    EXPECT_EQ(text, L"All selected drivers were uninstalled successfully");
    EXPECT_EQ(owner, window);
    EXPECT_EQ(system.ApplicationName(), "calvorn_framework_win32_tests");
}

TEST_F(Win32WindowSystemTest, MessageBoxWithCaptionShowsItAndReturnsTheAnswer) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    int answer = 0;
    std::wstring caption;
    dialog.onStart = [&] {
        MessageBoxAnswerer answerer(IDYES);
        answer = dialog.MessageBox("Are you sure you want to uninstall all selected drivers?",
                                   "Uninstall Drivers", MB_YESNO | MB_ICONQUESTION);
        caption = answerer.Caption();
        PostCommand(dialog.Hwnd(), IDOK);
    };

    dialog.DoModal();

    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(caption, L"Uninstall Drivers");
}

TEST_F(Win32WindowSystemTest, ExceptionOfAHandlerComesOutOfDoModalAfterTheWindowIsGone) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    HWND window = nullptr;
    dialog.onStart = [&] {
        window = dialog.Hwnd();
        throw std::runtime_error("Invalid index");
    };

    EXPECT_THROW(dialog.DoModal(), std::runtime_error);

    EXPECT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(dialog.GetWindow(), nullptr);
}

TEST_F(Win32WindowSystemTest, ExceptionDuringInitialisationComesOutOfDoModal) {
    Win32TestDialog dialog(system, IDD_TEST_MAIN);
    dialog.onInit = [] { throw std::runtime_error("List must be empty"); };

    EXPECT_THROW(dialog.DoModal(), std::runtime_error);
    EXPECT_EQ(dialog.GetWindow(), nullptr);

    // The system is fit for the next run.
    Win32TestDialog next(system, IDD_TEST_MAIN);
    next.onStart = [&] { PostCommand(next.Hwnd(), IDOK); };
    EXPECT_EQ(next.DoModal(), IDOK);
}

TEST_F(Win32WindowSystemTest, ExceptionOfAModelessWindowEndsTheModalRunAroundIt) {
    Win32TestDialog main(system, IDD_TEST_MAIN);
    Win32TestDialog owned(system, IDD_TEST_OWNED);
    owned.bindsControls = false;
    owned.onPoke = [] { throw std::runtime_error("Invalid root key"); };
    main.onStart = [&] {
        ASSERT_TRUE(owned.Create(IDD_TEST_OWNED, &main));
        ::SendMessageA(owned.Hwnd(), kWmPoke, 0, 0);
    };

    EXPECT_THROW(main.DoModal(), std::runtime_error);

    EXPECT_EQ(main.GetWindow(), nullptr);
    EXPECT_EQ(owned.GetWindow(), nullptr);
}

TEST_F(Win32WindowSystemTest, ExceptionWhileCreatingAModelessWindowComesOutOfCreate) {
    Win32TestDialog main(system, IDD_TEST_MAIN);
    Win32TestDialog owned(system, IDD_TEST_OWNED);
    owned.bindsControls = false;
    owned.onInit = [] { throw std::runtime_error("Unknown field"); };
    bool thrown = false;
    main.onStart = [&] {
        try {
            owned.Create(IDD_TEST_OWNED, &main);
        } catch (const std::runtime_error&) {
            thrown = true;
        }
        EXPECT_EQ(owned.GetWindow(), nullptr);
        PostCommand(main.Hwnd(), IDOK);
    };

    EXPECT_EQ(main.DoModal(), IDOK);
    EXPECT_TRUE(thrown);
}

}  // namespace
