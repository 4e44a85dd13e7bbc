#pragma once

#include <functional>
#include <string>

#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "framework/StaticText.h"

// The modeless window shown while drivers are removed: fixed text above a progress bar, the
// driver being uninstalled and the installer's current action below it, and Cancel. The removal
// command drives the bar and the texts; Cancel asks whether to stop.
class ProgressDialog : public Dialog {
public:
    // `onStop` runs, at most once, when the user confirms stopping the pass.
    explicit ProgressDialog(WindowSystem& windowSystem, std::function<void()> onStop = nullptr,
                            Dialog* parent = nullptr);
    ~ProgressDialog() override;

    // Bound once the window exists.
    ProgressCtrl& GetProgressCtrl() { return m_progress; }
    // "Uninstalling NAME (K of N)". Nothing happens without a window.
    void ShowDriver(const std::string& name, int position, int count);
    // The installer's current action; empty between drivers.
    void ShowAction(const std::string& description);

    bool StopRequested() const { return m_stopRequested; }

protected:
    const MessageTable& GetMessageTable() const override;
    void DoDataExchange(DataExchange& exchange) override;
    // Enter stops nothing; only Cancel (or Esc) asks.
    void OnOK() override;
    void OnCancel() override;

private:
    static const MessageTable kMessageTable;

    ProgressCtrl m_progress;
    StaticText m_driverText;
    StaticText m_actionText;
    std::function<void()> m_onStop;
    bool m_stopRequested = false;
};
