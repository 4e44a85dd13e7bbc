#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestDialog.h"
#include "framework/DataExchange.h"
#include "framework/PaintContext.h"

namespace {

using Texts = std::vector<std::string>;

class MemoryWindowSystemTest : public ::testing::Test {
protected:
    MemoryWindowSystemTest() {
        system.AddTemplate(kTestTemplate, TestTemplate());
        system.AddTemplate(kOwnedTemplate, TestTemplate());
    }

    MemoryWindowSystem system;
};

// A dialog whose template lacks a control it binds.
class MisboundDialog : public Dialog {
public:
    explicit MisboundDialog(WindowSystem& windowSystem)
        : Dialog(windowSystem, kTestTemplate, nullptr) {}

protected:
    void DoDataExchange(DataExchange& exchange) override { BindControl(exchange, 4242, m_button); }

private:
    Button m_button;
};

TEST_F(MemoryWindowSystemTest, ModalRunInitialisesOnceLetsTheUserActAndDestroysTheWindow) {
    TestDialog dialog(system);
    Texts callsDuringRun;
    system.onModal = [&](MemoryDialogWindow& window) {
        callsDuringRun = dialog.calls;
        EXPECT_EQ(dialog.GetWindow(), &window);
        EXPECT_EQ(dialog.GetSafeHandle(), window.GetHandle());
        EXPECT_EQ(system.FindWindow(kTestTemplate), &window);
        window.Click(kIdOk);
    };

    EXPECT_EQ(dialog.DoModal(), kIdOk);

    EXPECT_EQ(callsDuringRun, (Texts{"DoDataExchange", "OnInitDialog"}));
    EXPECT_EQ(dialog.GetWindow(), nullptr);
    EXPECT_EQ(dialog.GetSafeHandle(), nullptr);
    EXPECT_EQ(system.FindWindow(kTestTemplate), nullptr);
    EXPECT_TRUE(system.LastCreated(kTestTemplate)->IsDestroyed());
    EXPECT_EQ(system.CreatedCount(kTestTemplate), 1);
    // The wrappers let go of the destroyed controls.
    EXPECT_EQ(dialog.list.GetControlWindow(), nullptr);
    EXPECT_EQ(dialog.progress.GetControlWindow(), nullptr);
}

TEST_F(MemoryWindowSystemTest, InputAfterTheRunHasEndedIsRefused) {
    TestDialog dialog(system);
    bool clickedAfterEnd = true;
    system.onModal = [&](MemoryDialogWindow& window) {
        window.Click(kIdOk);
        clickedAfterEnd = window.Click(kButtonId);
        window.KeyDown(kVkF5, 0);
    };

    EXPECT_EQ(dialog.DoModal(), kIdOk);
    EXPECT_FALSE(clickedAfterEnd);
    EXPECT_EQ(dialog.calls, (Texts{"DoDataExchange", "OnInitDialog", "OnOK"}));
    EXPECT_TRUE(dialog.keyDowns.empty());
}

TEST_F(MemoryWindowSystemTest, UnknownTemplateEndsTheRunAtOnce) {
    TestDialog dialog(system, 999);
    bool ran = false;
    system.onModal = [&](MemoryDialogWindow&) { ran = true; };

    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create(999, nullptr));
    EXPECT_FALSE(ran);
    EXPECT_TRUE(dialog.calls.empty());
}

TEST_F(MemoryWindowSystemTest, EndingTheRunDuringInitialisationSkipsTheUser) {
    bool ran = false;
    system.onModal = [&](MemoryDialogWindow&) { ran = true; };
    struct EndingDialog : TestDialog {
        using TestDialog::TestDialog;
        bool OnInitDialog() override {
            EndDialog(kIdOk);
            return true;
        }
    } ending(system);

    EXPECT_EQ(ending.DoModal(), kIdOk);
    EXPECT_FALSE(ran);
}

TEST_F(MemoryWindowSystemTest, AnExceptionOfAHandlerComesOutOfTheRunAfterTheWindowIsGone) {
    TestDialog dialog(system);
    dialog.onButton = [] { throw std::runtime_error("Invalid index"); };
    system.onModal = [](MemoryDialogWindow& window) { window.Click(kButtonId); };

    EXPECT_THROW(dialog.DoModal(), std::runtime_error);

    EXPECT_EQ(dialog.GetWindow(), nullptr);
    EXPECT_TRUE(system.LastCreated(kTestTemplate)->IsDestroyed());
}

TEST_F(MemoryWindowSystemTest, BindingAMissingControlThrowsOutOfTheRun) {
    MisboundDialog dialog(system);

    EXPECT_THROW(dialog.DoModal(), std::logic_error);

    EXPECT_EQ(dialog.GetWindow(), nullptr);
    EXPECT_EQ(system.FindWindow(kTestTemplate), nullptr);
}

TEST_F(MemoryWindowSystemTest, UnownedWindowAtZeroZeroIsCentredAndOwnedOneIsNot) {
    MemoryTemplate placed = TestTemplate();
    placed.x = 10;
    system.AddTemplate(500, placed);
    TestDialog main(system);
    TestDialog owned(system, kOwnedTemplate);
    TestDialog elsewhere(system, 500);
    MemoryDialogWindow* ownedWindow = nullptr;
    system.onModal = [&](MemoryDialogWindow& window) {
        EXPECT_TRUE(window.Centred());
        ASSERT_TRUE(owned.Create(kOwnedTemplate, &main));
        ownedWindow = system.FindWindow(kOwnedTemplate);
        EXPECT_TRUE(elsewhere.Create(500, nullptr));
    };

    main.DoModal();

    ASSERT_NE(ownedWindow, nullptr);
    EXPECT_FALSE(ownedWindow->Centred());
    EXPECT_EQ(ownedWindow->ParentTemplateId(), kTestTemplate);
    EXPECT_FALSE(ownedWindow->IsModal());
    EXPECT_FALSE(system.LastCreated(500)->Centred());
    EXPECT_EQ(system.LastCreated(500)->Owner(), nullptr);
}

TEST_F(MemoryWindowSystemTest, DestroyingTheOwnerDestroysOwnedWindows) {
    TestDialog main(system);
    TestDialog owned(system, kOwnedTemplate);
    system.onModal = [&](MemoryDialogWindow&) { owned.Create(kOwnedTemplate, &main); };

    main.DoModal();

    EXPECT_EQ(owned.GetWindow(), nullptr);
    EXPECT_TRUE(system.LastCreated(kOwnedTemplate)->IsDestroyed());
}

TEST_F(MemoryWindowSystemTest, ModelessWindowLivesUntilDestroyedOrItsDialogGoes) {
    {
        TestDialog dialog(system);
        ASSERT_TRUE(dialog.Create(kTestTemplate, nullptr));
        MemoryDialogWindow* window = system.FindWindow(kTestTemplate);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(dialog.progress.GetControlWindow(), window->Control(kProgressId));

        dialog.DestroyWindow();

        EXPECT_EQ(dialog.GetWindow(), nullptr);
        EXPECT_TRUE(window->IsDestroyed());
        EXPECT_EQ(dialog.progress.GetControlWindow(), nullptr);
        dialog.DestroyWindow();
    }
    {
        TestDialog dialog(system);
        dialog.Create(kTestTemplate, nullptr);
    }
    EXPECT_EQ(system.FindWindow(kTestTemplate), nullptr);
    EXPECT_EQ(system.CreatedCount(kTestTemplate), 2);
}

TEST_F(MemoryWindowSystemTest, MessageBoxesAreAnsweredFromTheScriptThenByDefault) {
    TestDialog dialog(system);
    dialog.Create(kTestTemplate, nullptr);
    system.SetApplicationName("Tool");
    system.QueueMessageBoxAnswer(kIdYes);
    system.QueueMessageBoxAnswer(kIdOk);
    std::vector<int> answersSeenWhileOpen;
    system.onMessageBox = [&](const MessageBoxCall& call) {
        answersSeenWhileOpen.push_back(call.answer);
    };

    EXPECT_EQ(dialog.MessageBox("first?", "Uninstall Drivers", kMbYesNo | kMbIconQuestion), kIdYes);
    EXPECT_EQ(dialog.MessageBox("second", nullptr, kMbOk), kIdOk);
    EXPECT_EQ(dialog.MessageBox("third?", "Q", kMbYesNo), kIdNo);
    EXPECT_EQ(dialog.MessageBox("fourth"), kIdOk);

    const auto& boxes = system.MessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "first?");
    EXPECT_TRUE(boxes[0].hasCaption);
    EXPECT_EQ(boxes[0].caption, "Uninstall Drivers");
    EXPECT_EQ(boxes[0].style, 0x24u);
    EXPECT_EQ(boxes[0].owner, dialog.GetSafeHandle());
    EXPECT_EQ(boxes[0].answer, kIdYes);
    EXPECT_FALSE(boxes[1].hasCaption);
    EXPECT_EQ(boxes[1].caption, "Tool");
    EXPECT_EQ(boxes[2].answer, kIdNo);
    EXPECT_EQ(answersSeenWhileOpen, (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(MemoryWindowSystemTest, WindowKeepsTheIconsItIsSentAndRecordsMessagesToItself) {
    TestDialog dialog(system);
    dialog.Create(kTestTemplate, nullptr);
    MemoryDialogWindow& window = *system.FindWindow(kTestTemplate);
    int big = 0;
    int small = 0;

    dialog.GetWindow()->Send(kWmSetIcon, kIconBig, reinterpret_cast<LongParam>(&big));
    dialog.GetWindow()->Send(kWmSetIcon, kIconSmall, reinterpret_cast<LongParam>(&small));

    EXPECT_EQ(window.Icon(true), &big);
    EXPECT_EQ(window.Icon(false), &small);
    ASSERT_EQ(window.SentToSelf().size(), 2u);
    EXPECT_EQ(window.SentToSelf()[1].wParam, kIconSmall);
    EXPECT_EQ(window.DefaultProcessed(kWmSetIcon), 2);
}

TEST_F(MemoryWindowSystemTest, PaintContextBeginsAndEndsPaintingAroundTheDrawing) {
    TestDialog dialog(system);
    dialog.Create(kTestTemplate, nullptr);
    MemoryDialogWindow& window = *system.FindWindow(kTestTemplate);
    int icon = 0;
    NativeHandle deviceContext = nullptr;
    {
        PaintContext paint(window);
        deviceContext = paint.GetDeviceContext();
        window.DrawIcon(deviceContext, -15, 2, &icon);
        EXPECT_EQ(window.EndPaintCalls(), 0);
    }

    EXPECT_NE(deviceContext, nullptr);
    EXPECT_EQ(window.BeginPaintCalls(), 1);
    EXPECT_EQ(window.EndPaintCalls(), 1);
    ASSERT_EQ(window.DrawnIcons().size(), 1u);
    EXPECT_EQ(window.DrawnIcons()[0].dc, deviceContext);
    EXPECT_EQ(window.DrawnIcons()[0].x, -15);
    EXPECT_EQ(window.DrawnIcons()[0].icon, &icon);
}

}  // namespace
