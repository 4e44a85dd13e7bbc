#pragma once

#include <map>
#include <memory>
#include <vector>

#include "framework/DialogWindow.h"
#include "framework/MessageTable.h"
#include "framework/memory/MemoryControl.h"
#include "framework/memory/MemoryTemplate.h"

class Dialog;
class MemoryWindowSystem;

// The window of one dialog in memory. Messages reach the dialog synchronously through its
// message tables; what the dialog leaves to default processing is counted and, for the few
// messages whose default matters to the program, carried out. The object outlives its window
// (it belongs to the MemoryWindowSystem), so a test can still read it after the run has ended.
class MemoryDialogWindow : public DialogWindow {
public:
    struct DrawnIcon {
        NativeHandle dc;
        int x;
        int y;
        NativeHandle icon;
    };

    MemoryDialogWindow(MemoryWindowSystem& system, Dialog& dialog, int templateId,
                       const MemoryTemplate& dialogTemplate, MemoryDialogWindow* owner, bool modal);

    // Window
    // A message the dialog sends its own window: recorded, then dispatched like any other.
    MessageResult Send(unsigned message, WordParam wParam = 0, LongParam lParam = 0) override;
    bool Enable(bool enable) override;
    bool IsEnabled() const override { return m_enabled; }
    NativeHandle GetHandle() const override {
        return const_cast<void*>(static_cast<const void*>(this));
    }
    // Nothing is drawn in memory.
    void Invalidate() override {}

    // DialogWindow
    Window* GetControl(int id) override { return Control(id); }
    void EndDialog(int result) override;
    void Destroy() override;
    // Memory has no message queue: a posted message is dispatched at once.
    void Post(unsigned message, WordParam wParam, LongParam lParam) override {
        Dispatch(message, wParam, lParam);
    }
    bool IsIconic() const override { return m_iconic; }
    ClientRect GetClientRect() const override { return m_clientRect; }
    NativeHandle BeginPaint() override;
    void EndPaint() override;
    void DrawIcon(NativeHandle deviceContext, int x, int y, NativeHandle icon) override;
    void PaintNow() override { ++m_paintNowCalls; }
    int ShowMessageBox(const char* text, const char* caption, unsigned style) override;

    // The control with this id, or null.
    MemoryControl* Control(int id);

    // The user's side. Input reaches the dialog only while its window exists and, for a modal
    // dialog, until its run has been ended.
    // BN_CLICKED from the button `id` if it is enabled; returns whether it was sent.
    bool Click(int id);
    // Enter: the enabled default button is clicked, or without one IDOK goes to the dialog.
    void PressEnter();
    // Escape: IDCANCEL goes to the dialog.
    void PressEscape();
    // WM_COMMAND(id, code) from that control (its handle as the long parameter).
    void Notify(int id, int code);
    // WM_KEYDOWN with the long parameter repeat | flags << 16.
    void KeyDown(unsigned keyCode, unsigned keyFlags, unsigned repeatCount = 1);
    // Any message to the dialog; what it leaves alone goes to default processing.
    MessageResult Dispatch(unsigned message, WordParam wParam = 0, LongParam lParam = 0);
    void Paint() { Dispatch(kWmPaint); }

    void SetIconic(bool iconic) { m_iconic = iconic; }
    void SetClientSize(int width, int height) { m_clientRect = {0, 0, width, height}; }

    // What happened to the window.
    int TemplateId() const { return m_templateId; }
    bool IsModal() const { return m_modal; }
    MemoryDialogWindow* Owner() const { return m_owner; }
    // The owner's template id; 0 for an unowned window.
    int ParentTemplateId() const { return m_owner ? m_owner->TemplateId() : 0; }
    // Whether the window was centred on the work area after its initialisation.
    bool Centred() const { return m_centred; }
    void MarkCentred() { m_centred = true; }
    const std::vector<DrawnIcon>& DrawnIcons() const { return m_drawnIcons; }
    int DefaultProcessed(unsigned message) const;
    NativeHandle Icon(bool big) const { return big ? m_bigIcon : m_smallIcon; }
    int PaintNowCalls() const { return m_paintNowCalls; }
    int BeginPaintCalls() const { return m_beginPaintCalls; }
    int EndPaintCalls() const { return m_endPaintCalls; }
    bool Ended() const { return m_ended; }
    int EndResult() const { return m_endResult; }
    bool IsDestroyed() const { return m_destroyed; }
    const std::vector<WindowMessage>& SentToSelf() const { return m_sentToSelf; }
    // Controls in template order.
    std::vector<MemoryControl*> Controls() const;

private:
    bool AcceptsInput() const { return !m_destroyed && !(m_modal && m_ended); }
    MessageResult DefaultProcessing(const WindowMessage& message);

    MemoryWindowSystem& m_system;
    Dialog* m_dialog;
    int m_templateId;
    MemoryDialogWindow* m_owner;
    bool m_modal;
    std::vector<std::unique_ptr<MemoryControl>> m_controls;

    bool m_enabled = true;
    bool m_iconic = false;
    ClientRect m_clientRect = {0, 0, 400, 300};
    NativeHandle m_bigIcon = nullptr;
    NativeHandle m_smallIcon = nullptr;
    // Its address is the device context that BeginPaint hands out.
    char m_deviceContext = 0;
    int m_beginPaintCalls = 0;
    int m_endPaintCalls = 0;
    int m_paintNowCalls = 0;
    std::vector<DrawnIcon> m_drawnIcons;
    std::map<unsigned, int> m_defaultProcessed;
    std::vector<WindowMessage> m_sentToSelf;
    bool m_centred = false;
    bool m_ended = false;
    int m_endResult = 0;
    bool m_destroyed = false;
};
