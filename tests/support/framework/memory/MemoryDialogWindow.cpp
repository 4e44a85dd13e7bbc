#include "framework/memory/MemoryDialogWindow.h"

#include "framework/Dialog.h"
#include "framework/memory/MemoryWindowSystem.h"

namespace {
constexpr unsigned kScMinimize = 0xF020;
constexpr unsigned kScRestore = 0xF120;
}  // namespace

MemoryDialogWindow::MemoryDialogWindow(MemoryWindowSystem& system, Dialog& dialog, int templateId,
                                       const MemoryTemplate& dialogTemplate,
                                       MemoryDialogWindow* owner, bool modal)
    : m_system(system),
      m_dialog(&dialog),
      m_templateId(templateId),
      m_owner(owner),
      m_modal(modal) {
    for (const MemoryControlSpec& spec : dialogTemplate.controls) {
        m_controls.push_back(std::make_unique<MemoryControl>(*this, spec));
    }
}

MessageResult MemoryDialogWindow::Send(unsigned message, WordParam wParam, LongParam lParam) {
    if (m_destroyed) return 0;
    m_sentToSelf.push_back({message, wParam, lParam});
    return Dispatch(message, wParam, lParam);
}

bool MemoryDialogWindow::Enable(bool enable) {
    const bool wasDisabled = !m_enabled;
    m_enabled = enable;
    return wasDisabled;
}

void MemoryDialogWindow::EndDialog(int result) {
    m_ended = true;
    m_endResult = result;
}

void MemoryDialogWindow::Destroy() {
    if (m_destroyed) return;
    // As on the platform, owned windows go first.
    m_system.DestroyWindowsOwnedBy(*this);
    m_destroyed = true;
    for (auto& control : m_controls) control->MarkDestroyed();
    Dialog* dialog = m_dialog;
    m_dialog = nullptr;
    if (dialog) dialog->DetachWindow();
}

NativeHandle MemoryDialogWindow::BeginPaint() {
    ++m_beginPaintCalls;
    return &m_deviceContext;
}

void MemoryDialogWindow::EndPaint() { ++m_endPaintCalls; }

void MemoryDialogWindow::DrawIcon(NativeHandle deviceContext, int x, int y, NativeHandle icon) {
    m_drawnIcons.push_back({deviceContext, x, y, icon});
}

int MemoryDialogWindow::ShowMessageBox(const char* text, const char* caption, unsigned style) {
    return m_system.ShowMessageBox(GetHandle(), text, caption, style);
}

MemoryControl* MemoryDialogWindow::Control(int id) {
    for (auto& control : m_controls) {
        if (control->Id() == id) return control.get();
    }
    return nullptr;
}

bool MemoryDialogWindow::Click(int id) {
    MemoryControl* button = Control(id);
    if (!AcceptsInput() || !button || button->Kind() != MemoryControlKind::Button ||
        !button->IsEnabled()) {
        return false;
    }
    Notify(id, kBnClicked);
    return true;
}

void MemoryDialogWindow::PressEnter() {
    if (!AcceptsInput()) return;
    for (auto& control : m_controls) {
        if (control->Kind() == MemoryControlKind::Button && control->IsDefault()) {
            // A disabled default button swallows Enter.
            Click(control->Id());
            return;
        }
    }
    Dispatch(kWmCommand, MakeWordParam(kIdOk, kBnClicked), 0);
}

void MemoryDialogWindow::PressEscape() {
    if (!AcceptsInput()) return;
    MemoryControl* cancel = Control(kIdCancel);
    Dispatch(kWmCommand, MakeWordParam(kIdCancel, kBnClicked),
             cancel ? reinterpret_cast<LongParam>(cancel->GetHandle()) : 0);
}

void MemoryDialogWindow::Notify(int id, int code) {
    if (!AcceptsInput()) return;
    MemoryControl* control = Control(id);
    Dispatch(kWmCommand, MakeWordParam(static_cast<unsigned>(id), static_cast<unsigned>(code)),
             control ? reinterpret_cast<LongParam>(control->GetHandle()) : 0);
}

void MemoryDialogWindow::KeyDown(unsigned keyCode, unsigned keyFlags, unsigned repeatCount) {
    if (!AcceptsInput()) return;
    Dispatch(kWmKeyDown, keyCode, MakeLongParam(repeatCount, keyFlags));
}

MessageResult MemoryDialogWindow::Dispatch(unsigned message, WordParam wParam, LongParam lParam) {
    if (m_destroyed) return 0;
    const WindowMessage sent{message, wParam, lParam};
    MessageResult result = 0;
    if (m_dialog && m_dialog->HandleMessage(sent, result)) return result;
    return DefaultProcessing(sent);
}

MessageResult MemoryDialogWindow::DefaultProcessing(const WindowMessage& message) {
    ++m_defaultProcessed[message.message];
    switch (message.message) {
        case kWmSetIcon: {
            NativeHandle& slot = message.wParam == kIconBig ? m_bigIcon : m_smallIcon;
            NativeHandle previous = slot;
            slot = reinterpret_cast<NativeHandle>(message.lParam);
            return reinterpret_cast<MessageResult>(previous);
        }
        case kWmSysCommand:
            switch (message.wParam & kScMask) {
                case kScClose:
                    return Dispatch(kWmClose);
                case kScMinimize:
                    m_iconic = true;
                    return 0;
                case kScRestore:
                    m_iconic = false;
                    return 0;
                default:
                    return 0;
            }
        case kWmClose:
            return Dispatch(kWmCommand, MakeWordParam(kIdCancel, kBnClicked), 0);
        case kWmVKeyToItem:
            // A dialog that leaves the key alone lets the list act on it.
            return kVKeyDefault;
        default:
            return 0;
    }
}

int MemoryDialogWindow::DefaultProcessed(unsigned message) const {
    const auto found = m_defaultProcessed.find(message);
    return found == m_defaultProcessed.end() ? 0 : found->second;
}

std::vector<MemoryControl*> MemoryDialogWindow::Controls() const {
    std::vector<MemoryControl*> controls;
    for (const auto& control : m_controls) controls.push_back(control.get());
    return controls;
}
