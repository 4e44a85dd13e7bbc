#include "MemoryUiDriver.h"

#include <stdexcept>

#include "res/resource.h"

std::unique_ptr<UiDriver> MakeUiDriver() { return std::make_unique<MemoryUiDriver>(); }

MemoryUiDriver::MemoryUiDriver() {
    m_system.AddTemplate(IDD_MANAGER, ManagerTemplate());
    m_system.AddTemplate(IDD_PROGRESS, ProgressTemplate());
    m_system.AddIcon(IDR_MAINFRAME);
    m_system.onMessageBox = [this](const MessageBoxCall& call) {
        NoteClosedProgress();
        const MemoryDialogWindow* progress = m_system.FindWindow(IDD_PROGRESS);
        m_boxDuringProgress.push_back(progress != nullptr);
        m_boxOwnedByProgress.push_back(progress != nullptr && call.owner == progress->GetHandle());
    };
}

MemoryDialogWindow& MemoryUiDriver::ManagerWindow() {
    if (!m_manager || !m_manager->GetWindow()) throw std::logic_error("no manager window");
    return static_cast<MemoryDialogWindow&>(*m_manager->GetWindow());
}

MemoryControl& MemoryUiDriver::Control(int controlId) {
    MemoryControl* control = ManagerWindow().Control(controlId);
    if (!control) throw std::logic_error("no such control");
    return *control;
}

LongParam MemoryUiDriver::ItemData(int controlId, int position) {
    return Control(controlId).ItemData(position);
}

std::vector<int> MemoryUiDriver::SelectedLines() {
    return Control(IDC_DRIVER_LIST).SelectedLines();
}

NativeHandle MemoryUiDriver::QueryDragIcon() {
    return reinterpret_cast<NativeHandle>(ManagerWindow().Dispatch(kWmQueryDragIcon));
}

void MemoryUiDriver::ChooseFilterItem(int controlId, int position) {
    Control(controlId).UserChoose(position);
}

void MemoryUiDriver::SelectLines(const std::vector<int>& lines) {
    Control(IDC_DRIVER_LIST).UserSelect(lines);
}

void MemoryUiDriver::FailSelectionCount() {
    Control(IDC_DRIVER_LIST).OverrideResult(kLbGetSelCount, kLbErr);
}

void MemoryUiDriver::KeyDown(unsigned keyCode, unsigned repeatCount, unsigned keyFlags) {
    ManagerWindow().KeyDown(keyCode, keyFlags, repeatCount);
}

std::vector<UiDriver::MessageBoxSeen> MemoryUiDriver::MessageBoxes() {
    std::vector<MessageBoxSeen> boxes;
    for (const MessageBoxCall& call : m_system.MessageBoxes()) {
        const std::size_t at = boxes.size();
        const bool duringProgress = at < m_boxDuringProgress.size() && m_boxDuringProgress[at];
        const bool ownedByProgress = at < m_boxOwnedByProgress.size() && m_boxOwnedByProgress[at];
        boxes.push_back({call.text, call.caption, call.style, duringProgress, ownedByProgress});
    }
    return boxes;
}

UiDriver::ProgressSeen MemoryUiDriver::Progress() {
    MemoryDialogWindow* window = m_system.FindWindow(IDD_PROGRESS);
    if (!window) return {false, 0, 0, 0};
    const MemoryControl& bar = *window->Control(IDC_PROGRESS);
    return {true, bar.RangeLow(), bar.RangeHigh(), bar.Position()};
}

std::string MemoryUiDriver::ProgressText(int controlId) {
    MemoryDialogWindow* window = m_system.FindWindow(IDD_PROGRESS);
    const MemoryControl* control = window ? window->Control(controlId) : nullptr;
    return control ? control->Text() : std::string();
}

void MemoryUiDriver::ClickInProgress(int controlId) {
    if (MemoryDialogWindow* window = m_system.FindWindow(IDD_PROGRESS)) window->Click(controlId);
}

std::vector<UiDriver::ProgressSeen> MemoryUiDriver::ClosedProgress() {
    NoteClosedProgress();
    return m_closed;
}

void MemoryUiDriver::NoteClosedProgress() {
    MemoryDialogWindow* window = m_system.LastCreated(IDD_PROGRESS);
    if (!window || !window->IsDestroyed() || !m_noted.insert(window).second) return;
    // The bar keeps its state once its window is gone.
    const MemoryControl& bar = *window->Control(IDC_PROGRESS);
    m_closed.push_back({true, bar.RangeLow(), bar.RangeHigh(), bar.Position()});
}
