#pragma once

#include <vector>

#include "framework/DialogWindow.h"
#include "framework/MessageTable.h"
#include "framework/WindowSystem.h"

class Control;
class DataExchange;

// A dialog built from a template: the base of every window of the program. Derived classes name
// their template in the constructor, bind controls in DoDataExchange and route messages with a
// static MessageTable chained to their base's. Modal (DoModal) and modeless (Create) dialogs
// differ only in how they start and end.
class Dialog {
public:
    Dialog(WindowSystem& windowSystem, int templateId, Dialog* parent);
    // Destroys the window if it still exists.
    virtual ~Dialog();

    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally until IDOK or IDCANCEL ends it; returns that identifier, or -1 when
    // the window cannot be created.
    int DoModal();
    // Creates the window modeless from the template the dialog was constructed with, owned by
    // `parent`; false when it cannot be created. IDOK and IDCANCEL then destroy the window.
    bool Create(Dialog* parent);
    // The same from another template.
    bool Create(int templateId, Dialog* parent);
    void DestroyWindow();
    // Ends the modal run with `result`; a modeless dialog has no run to end.
    void EndDialog(int result);

    // The dialog's window, null before it is created and after it is destroyed.
    DialogWindow* GetWindow() const { return m_window; }
    // The window's native handle, null without a window.
    NativeHandle GetSafeHandle() const;
    WindowSystem& GetWindowSystem() const { return m_windowSystem; }

    // A message box owned by this dialog; a null caption shows the application's name. Returns 0
    // without a window.
    int MessageBox(const char* text, const char* caption = nullptr, unsigned style = kMbOk);

    // While commands are held, the messages that could start one (WM_COMMAND, WM_KEYDOWN,
    // WM_CLOSE, WM_SYSCOMMAND's SC_CLOSE) are kept instead of handled, without default
    // processing, so that the message loop of a box shown meanwhile cannot run a command inside
    // another, and the end of the session is refused (WM_QUERYENDSESSION answered 0).
    // ReleaseHeldCommands posts what was kept back to the window, in its order.
    void HoldCommands() { m_holdingCommands = true; }
    void ReleaseHeldCommands();

    // For backends: the window exists (before WM_INITDIALOG) / is gone. Detaching also detaches
    // the control wrappers bound to it.
    void AttachWindow(DialogWindow* window);
    void DetachWindow();
    // For backends: dispatches one message by the message tables. Returns false when the message
    // is left to the window's default processing (no entry, or the handler called Default).
    bool HandleMessage(const WindowMessage& message, MessageResult& result);

protected:
    virtual const MessageTable& GetMessageTable() const;
    // Binds the controls; the base binds none.
    virtual void DoDataExchange(DataExchange& exchange);
    // The base applies the template's initial control data, then runs DoDataExchange. Returns
    // true to let the window system set the focus.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Leaves the message being handled to the window's default processing.
    void Default();

    static const MessageTable kMessageTable;

private:
    void ApplyInitialControlData();
    void DetachBoundControls();
    // What IDOK and IDCANCEL do: end the modal run, or destroy the modeless window.
    void End(int result);

    static const MessageEntry kMessageEntries[];

    WindowSystem& m_windowSystem;
    int m_templateId;
    Dialog* m_parent;
    bool m_modeless = false;
    DialogWindow* m_window = nullptr;
    bool m_passToDefault = false;
    bool m_holdingCommands = false;
    std::vector<WindowMessage> m_heldCommands;
    std::vector<Control*> m_boundControls;
};
