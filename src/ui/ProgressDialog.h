#pragma once

#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"

// The modeless window shown while drivers are removed: fixed text above a progress bar. It has
// no logic of its own; the removal command drives its bar.
class ProgressDialog : public Dialog {
public:
    explicit ProgressDialog(WindowSystem& windowSystem, Dialog* parent = nullptr);
    ~ProgressDialog() override;

    // Bound once the window exists.
    ProgressCtrl& GetProgressCtrl() { return m_progress; }

protected:
    const MessageTable& GetMessageTable() const override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    static const MessageTable kMessageTable;

    ProgressCtrl m_progress;
};
