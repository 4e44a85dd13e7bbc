#include "ui/ProgressDialog.h"

#include <utility>

#include "framework/DataExchange.h"
#include "res/resource.h"

namespace {
const char kStopQuestion[] =
    "Do you want to stop uninstalling the selected drivers? The driver being uninstalled now is "
    "restored, and the drivers after it stay installed.";
const char kStopCaption[] = "Uninstall Drivers";
constexpr unsigned kStopStyle = kMbYesNo | kMbIconQuestion | kMbDefButton2;
}  // namespace

// No entries of its own: every message gets the dialog base's handling.
const MessageTable ProgressDialog::kMessageTable = {&Dialog::kMessageTable, nullptr, 0};

ProgressDialog::ProgressDialog(WindowSystem& windowSystem, std::function<void()> onStop,
                               Dialog* parent)
    : Dialog(windowSystem, IDD_PROGRESS, parent), m_onStop(std::move(onStop)) {}

ProgressDialog::~ProgressDialog() = default;

const MessageTable& ProgressDialog::GetMessageTable() const { return kMessageTable; }

void ProgressDialog::DoDataExchange(DataExchange& exchange) {
    BindControl(exchange, IDC_PROGRESS, m_progress);
    BindControl(exchange, IDC_PROGRESS_DRIVER, m_driverText);
    BindControl(exchange, IDC_PROGRESS_ACTION, m_actionText);
}

void ProgressDialog::ShowDriver(const std::string& name, int position, int count) {
    if (!GetWindow()) return;
    m_driverText.SetWindowText("Uninstalling " + name + " (" + std::to_string(position) + " of " +
                               std::to_string(count) + ")");
}

void ProgressDialog::ShowAction(const std::string& description) {
    if (GetWindow()) m_actionText.SetWindowText(description);
}

void ProgressDialog::OnOK() {}

void ProgressDialog::OnCancel() {
    // The removal goes on while the question is open.
    if (m_stopRequested || MessageBox(kStopQuestion, kStopCaption, kStopStyle) != kIdYes) return;
    m_stopRequested = true;
    if (m_onStop) m_onStop();
}
