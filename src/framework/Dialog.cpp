#include "framework/Dialog.h"

#include <cassert>
#include <iterator>

#include "framework/Control.h"
#include "framework/DataExchange.h"
#include "framework/InitialControlData.h"

namespace {
bool StartsCommand(const WindowMessage& message) {
    switch (message.message) {
        case kWmCommand:
        case kWmKeyDown:
        case kWmContextMenu:
        case kWmClose:
            return true;
        case kWmSysCommand:
            // Minimising, moving and the like start nothing of the program's.
            return (message.wParam & kScMask) == kScClose;
        default:
            return false;
    }
}

bool Matches(const MessageEntry& entry, const WindowMessage& message) {
    if (entry.message != message.message) return false;
    if (message.message != kWmCommand) return true;
    const auto id = static_cast<unsigned>(message.wParam & 0xFFFFu);
    const auto code = static_cast<unsigned>((message.wParam >> 16) & 0xFFFFu);
    return id == (static_cast<unsigned>(entry.controlId) & 0xFFFFu) &&
           code == (static_cast<unsigned>(entry.notifyCode) & 0xFFFFu);
}
}  // namespace

const MessageEntry Dialog::kMessageEntries[] = {
    OnInitDialogMessage<Dialog, &Dialog::OnInitDialog>(),
    OnCommand<Dialog, &Dialog::OnOK>(kIdOk, kBnClicked),
    OnCommand<Dialog, &Dialog::OnCancel>(kIdCancel, kBnClicked),
};

const MessageTable Dialog::kMessageTable = {nullptr, kMessageEntries, std::size(kMessageEntries)};

Dialog::Dialog(WindowSystem& windowSystem, int templateId, Dialog* parent)
    : m_windowSystem(windowSystem), m_templateId(templateId), m_parent(parent) {}

Dialog::~Dialog() {
    // The derived parts, and with them the bound wrappers, are gone already.
    m_boundControls.clear();
    if (m_window) DestroyWindow();
}

int Dialog::DoModal() {
    m_modeless = false;
    return m_windowSystem.RunModal(*this, m_templateId, m_parent);
}

bool Dialog::Create(Dialog* parent) { return Create(m_templateId, parent); }

bool Dialog::Create(int templateId, Dialog* parent) {
    m_templateId = templateId;
    m_parent = parent;
    m_modeless = true;
    return m_windowSystem.CreateModeless(*this, templateId, parent);
}

void Dialog::DestroyWindow() {
    if (!m_window) return;
    m_window->Destroy();
    // A backend detaches when the window is gone; this only guards against one that did not.
    if (m_window) DetachWindow();
}

void Dialog::EndDialog(int result) {
    // On a modeless window the platform would only hide it, leaving a window nobody ends.
    if (m_window && !m_modeless) m_window->EndDialog(result);
}

NativeHandle Dialog::GetSafeHandle() const { return m_window ? m_window->GetHandle() : nullptr; }

int Dialog::MessageBox(const char* text, const char* caption, unsigned style) {
    assert(m_window && "message box of a dialog without a window");
    if (!m_window) return 0;
    return m_window->ShowMessageBox(text, caption, style);
}

void Dialog::AttachWindow(DialogWindow* window) { m_window = window; }

void Dialog::DetachWindow() {
    DetachBoundControls();
    m_window = nullptr;
    // Commands held for a window that is gone have nowhere to go.
    m_holdingCommands = false;
    m_heldCommands.clear();
}

void Dialog::ReleaseHeldCommands() {
    m_holdingCommands = false;
    std::vector<WindowMessage> held;
    held.swap(m_heldCommands);
    if (!m_window) return;
    for (const WindowMessage& message : held) {
        m_window->Post(message.message, message.wParam, message.lParam);
    }
}

bool Dialog::HandleMessage(const WindowMessage& message, MessageResult& result) {
    if (m_holdingCommands && message.message == kWmQueryEndSession) {
        // Not now: Windows then lets the user choose between waiting and ending regardless.
        result = 0;
        return true;
    }
    // A list's key is the list's own business by the time a held one could run: it goes to the
    // list's default, never to a command.
    if (m_holdingCommands && message.message == kWmVKeyToItem) return false;
    if (m_holdingCommands && StartsCommand(message)) {
        m_heldCommands.push_back(message);
        result = 0;
        return true;
    }
    for (const MessageTable* table = &GetMessageTable(); table; table = table->base) {
        for (std::size_t i = 0; i < table->count; ++i) {
            const MessageEntry& entry = table->entries[i];
            if (!Matches(entry, message)) continue;

            // A handler may pump messages (a message box), and the handlers of those messages
            // may call Default for themselves; each message keeps its own decision.
            const bool outer = m_passToDefault;
            m_passToDefault = false;
            result = entry.handler(*this, message);
            const bool handled = !m_passToDefault;
            m_passToDefault = outer;
            return handled;
        }
    }
    return false;
}

const MessageTable& Dialog::GetMessageTable() const { return kMessageTable; }

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::OnInitDialog() {
    assert(m_window && "WM_INITDIALOG without a window");
    if (!m_window) return true;
    ApplyInitialControlData();

    DataExchange exchange(*m_window);
    DoDataExchange(exchange);
    const std::vector<Control*>& bound = exchange.GetBoundControls();
    m_boundControls.insert(m_boundControls.end(), bound.begin(), bound.end());
    return true;
}

void Dialog::OnOK() { End(kIdOk); }

void Dialog::OnCancel() { End(kIdCancel); }

void Dialog::Default() { m_passToDefault = true; }

void Dialog::ApplyInitialControlData() {
    const std::vector<unsigned char> data = m_windowSystem.LoadInitialControlData(m_templateId);
    for (const InitialControlRecord& record : ParseInitialControlData(data)) {
        const unsigned message = InitialControlMessage(record.message);
        if (message == 0) continue;
        Window* control = m_window->GetControl(record.controlId);
        if (!control) continue;
        // The data need not end in a NUL; c_str supplies one and stops at the first inside.
        control->Send(message, 0, reinterpret_cast<LongParam>(record.data.c_str()));
    }
}

void Dialog::DetachBoundControls() {
    for (Control* control : m_boundControls) control->Detach();
    m_boundControls.clear();
}

void Dialog::End(int result) {
    if (m_modeless) {
        DestroyWindow();
    } else {
        EndDialog(result);
    }
}
