#include "framework/memory/MemoryWindowSystem.h"

#include <utility>

#include "framework/Dialog.h"

namespace {
constexpr unsigned kMbTypeMask = 0x0F;
constexpr unsigned kMbOkCancel = 0x01;
constexpr unsigned kMbYesNoCancel = 0x03;
constexpr unsigned kMbRetryCancel = 0x05;
constexpr int kDefaultIconSize = 32;

int DefaultAnswer(unsigned style) {
    switch (style & kMbTypeMask) {
        case kMbYesNo:
        case kMbYesNoCancel:
            return kIdNo;
        case kMbOkCancel:
        case kMbRetryCancel:
            return kIdCancel;
        default:
            return kIdOk;
    }
}
}  // namespace

MemoryWindowSystem::MemoryWindowSystem() {
    m_metrics[kSmCxIcon] = kDefaultIconSize;
    m_metrics[kSmCyIcon] = kDefaultIconSize;
}

MemoryWindowSystem::~MemoryWindowSystem() {
    // Dialogs that outlive the system must not be left pointing at its windows.
    for (auto& window : m_windows) window->Destroy();
}

int MemoryWindowSystem::RunModal(Dialog& dialog, int templateId, Dialog* parent) {
    MemoryDialogWindow* window = nullptr;
    try {
        window = Open(dialog, templateId, parent, true);
        if (!window) return -1;
        if (!window->Ended() && onModal) onModal(*window);
    } catch (...) {
        if (window) window->Destroy();
        throw;
    }
    if (!window->Ended()) window->EndDialog(kIdCancel);
    window->Destroy();
    return window->EndResult();
}

bool MemoryWindowSystem::CreateModeless(Dialog& dialog, int templateId, Dialog* parent) {
    return Open(dialog, templateId, parent, false) != nullptr;
}

MemoryDialogWindow* MemoryWindowSystem::Open(Dialog& dialog, int templateId, Dialog* parent,
                                             bool modal) {
    const auto found = m_templates.find(templateId);
    if (found == m_templates.end()) return nullptr;
    const MemoryTemplate& dialogTemplate = found->second;

    MemoryDialogWindow* owner = nullptr;
    if (parent && parent->GetWindow()) {
        for (auto& window : m_windows) {
            if (window.get() == parent->GetWindow()) owner = window.get();
        }
    }
    m_windows.push_back(std::make_unique<MemoryDialogWindow>(*this, dialog, templateId,
                                                             dialogTemplate, owner, modal));
    MemoryDialogWindow* window = m_windows.back().get();

    dialog.AttachWindow(window);
    try {
        window->Dispatch(kWmInitDialog);
    } catch (...) {
        window->Destroy();
        throw;
    }
    if (!window->IsDestroyed() && !owner && dialogTemplate.x == 0 && dialogTemplate.y == 0) {
        window->MarkCentred();
    }
    return window;
}

std::vector<unsigned char> MemoryWindowSystem::LoadInitialControlData(int templateId) {
    const auto found = m_templates.find(templateId);
    if (found == m_templates.end()) return {};
    return found->second.initialControlData;
}

NativeHandle MemoryWindowSystem::LoadIcon(int resourceId) {
    ++m_loadIconCalls;
    const auto found = m_icons.find(resourceId);
    return found == m_icons.end() ? nullptr : found->second.get();
}

int MemoryWindowSystem::ShowShortcutMenu(Dialog&, Window& anchor, LongParam point,
                                         const std::vector<MenuItem>& items) {
    menusShown.push_back({anchor.GetHandle(), point, items});
    if (menuChoices.empty()) return 0;
    const int choice = menuChoices.front();
    menuChoices.pop_front();
    for (const MenuItem& item : items) {
        if (item.command == choice) return item.enabled ? choice : 0;
    }
    return 0;
}

bool MemoryWindowSystem::CopyToClipboard(Dialog&, const std::string& text) {
    clipboard = text;
    return true;
}

FileChoice MemoryWindowSystem::SaveCsvFileAs(Dialog&, const char* defaultName,
                                             const std::string& content, std::string& path) {
    proposedFileName = defaultName;
    path = std::exchange(nextFileChoice, {});
    if (path.empty()) return FileChoice::Cancelled;
    if (refusedPaths.count(path) != 0) return FileChoice::Failed;
    files[path] = content;
    return FileChoice::Done;
}

FileChoice MemoryWindowSystem::OpenCsvFile(Dialog&, std::string& path, std::string& content) {
    path = std::exchange(nextFileChoice, {});
    if (path.empty()) return FileChoice::Cancelled;
    const auto file = files.find(path);
    if (file == files.end()) return FileChoice::Failed;
    content = file->second;
    return FileChoice::Done;
}

int MemoryWindowSystem::GetSystemMetric(int index) {
    const auto found = m_metrics.find(index);
    return found == m_metrics.end() ? 0 : found->second;
}

void MemoryWindowSystem::AddTemplate(int templateId, MemoryTemplate dialogTemplate) {
    m_templates[templateId] = std::move(dialogTemplate);
}

void MemoryWindowSystem::AddIcon(int resourceId) {
    if (!m_icons.count(resourceId)) m_icons[resourceId] = std::make_unique<int>(resourceId);
}

void MemoryWindowSystem::SetSystemMetric(int index, int value) { m_metrics[index] = value; }

void MemoryWindowSystem::SetApplicationName(std::string name) {
    m_applicationName = std::move(name);
}

void MemoryWindowSystem::QueueMessageBoxAnswer(int answer) { m_answers.push_back(answer); }

MemoryDialogWindow* MemoryWindowSystem::FindWindow(int templateId) const {
    for (const auto& window : m_windows) {
        if (window->TemplateId() == templateId && !window->IsDestroyed()) return window.get();
    }
    return nullptr;
}

MemoryDialogWindow* MemoryWindowSystem::LastCreated(int templateId) const {
    for (auto window = m_windows.rbegin(); window != m_windows.rend(); ++window) {
        if ((*window)->TemplateId() == templateId) return window->get();
    }
    return nullptr;
}

int MemoryWindowSystem::CreatedCount(int templateId) const {
    int count = 0;
    for (const auto& window : m_windows) {
        if (window->TemplateId() == templateId) ++count;
    }
    return count;
}

int MemoryWindowSystem::IconResourceId(NativeHandle icon) const {
    for (const auto& entry : m_icons) {
        if (entry.second.get() == icon) return entry.first;
    }
    return 0;
}

int MemoryWindowSystem::ShowMessageBox(NativeHandle owner, const char* text, const char* caption,
                                       unsigned style) {
    MessageBoxCall call;
    call.text = text ? text : "";
    call.hasCaption = caption != nullptr;
    call.caption = caption ? caption : m_applicationName;
    call.style = style;
    call.owner = owner;
    m_messageBoxes.push_back(call);
    const std::size_t index = m_messageBoxes.size() - 1;

    if (onMessageBox) onMessageBox(call);

    int answer = DefaultAnswer(style);
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    m_messageBoxes[index].answer = answer;
    return answer;
}

void MemoryWindowSystem::DestroyWindowsOwnedBy(MemoryDialogWindow& owner) {
    for (auto& window : m_windows) {
        if (window->Owner() == &owner) window->Destroy();
    }
}
