#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/WindowSystem.h"

// What the window scenarios need of a backend: act as the user does and read back what the
// user would see. One implementation drives the in-memory window system, one real windows.
class UiDriver {
public:
    struct MessageBoxSeen {
        std::string text;
        // As shown: a box given no caption shows the application's name.
        std::string caption;
        // Buttons and icon as flags: kMbOk or kMbYesNo, with kMbIconQuestion or kMbIconError.
        unsigned style;
        // Whether a progress window existed while the box was open, and whether it owned it.
        bool duringProgress = false;
        bool ownedByProgress = false;
    };

    // How the last refill of a list or combo box went on screen.
    struct RedrawSeen {
        bool redrawing;
        // Items added since its last reset while redrawing was on, each costing a repaint.
        int addedWhileRedrawing;
        // Whether a repaint is due since its items last changed.
        bool repaintDue;
    };

    struct ProgressSeen {
        bool exists;
        int low;
        int high;
        int position;
    };

    virtual ~UiDriver() = default;

    virtual WindowSystem& System() = 0;
    // The manager dialog the driver works on, before its window is created, so that the
    // driver can look at the window from inside its initialisation too.
    virtual void Watch(Dialog& manager) = 0;
    // The name a box without a caption of its own shows.
    virtual std::string ApplicationName() = 0;

    // Lines of the list or items of a combo box, in the control's order.
    virtual std::vector<std::string> Items(int controlId) = 0;
    virtual LongParam ItemData(int controlId, int position) = 0;
    // The selected item of a combo box, -1 for none.
    virtual int ComboSelection(int controlId) = 0;
    virtual std::vector<int> SelectedLines() = 0;
    virtual bool IsEnabled(int controlId) = 0;
    // Whether the main window itself takes input.
    virtual bool IsManagerEnabled() = 0;
    virtual RedrawSeen Redraw(int controlId) = 0;
    // The window's icons as WM_SETICON set them.
    virtual NativeHandle WindowIcon(bool big) = 0;
    // The window's answer to WM_QUERYDRAGICON.
    virtual NativeHandle QueryDragIcon() = 0;

    // Picks an item from a filter's drop-down list, which notifies the window.
    virtual void ChooseFilterItem(int controlId, int position) = 0;
    // Selects exactly these lines (none for an empty list), which notifies the window.
    virtual void SelectLines(const std::vector<int>& lines) = 0;
    // From now on the list answers LB_GETSELCOUNT with the error result -1.
    virtual void FailSelectionCount() = 0;
    // Clicks a button; a disabled button ignores the click.
    virtual void Click(int controlId) = 0;
    // A WM_KEYDOWN sent to the main window itself.
    virtual void KeyDown(unsigned keyCode, unsigned repeatCount, unsigned keyFlags) = 0;

    // The answer to the next message box; without one a Yes/No box is answered No and an OK
    // box OK.
    virtual void QueueMessageBoxAnswer(int answer) = 0;
    virtual std::vector<MessageBoxSeen> MessageBoxes() = 0;

    // The progress window as it stands now.
    virtual ProgressSeen Progress() = 0;
    // The text of a control of the progress window now; empty without one.
    virtual std::string ProgressText(int controlId) = 0;
    // Clicks a button of the progress window.
    virtual void ClickInProgress(int controlId) = 0;
    // The progress windows destroyed so far, each as it stood just before it went away.
    virtual std::vector<ProgressSeen> ClosedProgress() = 0;
};

// Made by the backend the test program is built for.
std::unique_ptr<UiDriver> MakeUiDriver();
