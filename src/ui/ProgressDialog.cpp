#include "ui/ProgressDialog.h"

#include "framework/DataExchange.h"
#include "res/resource.h"

// No entries of its own: every message gets the dialog base's handling.
const MessageTable ProgressDialog::kMessageTable = {&Dialog::kMessageTable, nullptr, 0};

ProgressDialog::ProgressDialog(WindowSystem& windowSystem, Dialog* parent)
    : Dialog(windowSystem, IDD_PROGRESS, parent) {}

ProgressDialog::~ProgressDialog() = default;

const MessageTable& ProgressDialog::GetMessageTable() const { return kMessageTable; }

void ProgressDialog::DoDataExchange(DataExchange& exchange) {
    BindControl(exchange, IDC_PROGRESS, m_progress);
}
