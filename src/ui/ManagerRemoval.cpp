#include <string>
#include <vector>

#include "catalog/DriverCatalog.h"
#include "installer/InstallerBinding.h"
#include "installer/LogFiles.h"
#include "installer/RemovalLogs.h"
#include "installer/WindowsInstaller.h"
#include "res/resource.h"
#include "ui/ManagerDialog.h"
#include "ui/ProgressDialog.h"

namespace {
const char kConfirmCaption[] = "Uninstall Drivers";
const char kConfirmOneBefore[] = "Are you sure you want to uninstall the ";
const char kConfirmOneAfter[] = " driver?";
const char kConfirmSeveral[] = "Are you sure you want to uninstall all selected drivers?";
const char kFailureCaption[] = "Driver Not Uninstalled";
const char kFailureBefore[] = "The ";
const char kFailureAfter[] = " driver could not be uninstalled successfully.";
const char kAllRemoved[] = "All selected drivers were uninstalled successfully";
const char kSomeNotRemoved[] = "Some selected drivers could not be uninstalled successfully";
const char kRestartNeeded[] = "Restart the computer to finish uninstalling the selected drivers.";
const char kLogsBefore[] =
    "Windows Installer's logs of the drivers that could not be uninstalled are in ";
const char kLogsAfter[] = ".";
const char kNotInstalledCaption[] = "Driver Not Installed";
const char kNotInstalledBefore[] = "The ";
const char kNotInstalledAfter[] =
    " driver is no longer installed. Do you want to remove it from the list?";
const char kStopped[] =
    "The removal was stopped. The drivers that were not uninstalled are still selected.";

constexpr unsigned kConfirmStyle = kMbYesNo | kMbIconQuestion;
constexpr unsigned kFailureStyle = kMbOk | kMbIconError;

// The bar moves as soon as a driver is done, not when the thread next looks at its messages.
void PaintProgress(ProgressDialog& progress) {
    if (DialogWindow* window = progress.GetWindow()) window->PaintNow();
}

// The main window from the user's Yes until the summary: it takes no input, as an owner does
// while a modal window is up, and the commands that reach it anyway (a posted Refresh, a close
// request from the taskbar) wait for the end of the pass. The windows stay served meanwhile.
class RemovalPass {
public:
    explicit RemovalPass(Dialog& manager) : m_manager(manager) {
        m_manager.HoldCommands();
        TakeNoInput();
    }
    ~RemovalPass() {
        if (!m_ended) TakeInput();
    }

    RemovalPass(const RemovalPass&) = delete;
    RemovalPass& operator=(const RemovalPass&) = delete;

    // A message box enables its owner when it closes, whatever the owner was before.
    int MessageBox(const char* text, const char* caption, unsigned style) {
        const int answer = m_manager.MessageBox(text, caption, style);
        TakeNoInput();
        return answer;
    }

    // The summary boxes are the user's again.
    void EndInput() {
        m_ended = true;
        TakeInput();
    }
    // What reached the window meanwhile runs now.
    void ReleaseCommands() { m_manager.ReleaseHeldCommands(); }

private:
    void TakeNoInput() {
        if (DialogWindow* window = m_manager.GetWindow()) window->Enable(false);
    }
    void TakeInput() {
        if (DialogWindow* window = m_manager.GetWindow()) window->Enable(true);
    }

    Dialog& m_manager;
    bool m_ended = false;
};

// For as long as it lives, the installer's actions show in the progress window, and a cancel
// requested by an earlier pass is forgotten.
class ActionDisplay : public InstallerActions {
public:
    ActionDisplay(WindowsInstaller& installer, ProgressDialog& progress)
        : m_installer(installer), m_progress(progress) {
        m_installer.ClearCancelRequest();
        m_installer.WatchActions(this);
    }
    ~ActionDisplay() override { m_installer.WatchActions(nullptr); }

    ActionDisplay(const ActionDisplay&) = delete;
    ActionDisplay& operator=(const ActionDisplay&) = delete;

    void OnActionStart(const std::string& description) override {
        m_progress.ShowAction(description);
    }

private:
    WindowsInstaller& m_installer;
    ProgressDialog& m_progress;
};

// What became of the offer to forget a driver whose removal failed.
enum class Forgetting { NotForgotten, Declined, Forgotten };

// A driver whose product the installer no longer knows may be forgotten: Yes deletes its
// registration, and it counts as removed; No keeps it as a failure that needs no further word.
Forgetting ForgetIfGone(RemovalPass& pass, DriverCatalog& catalog, WindowsInstaller& installer,
                        int index, unsigned installerResult) {
    const char* productCode = catalog.GetField(DriverField::ProductCode, index);
    if (!IsProductGone(installer, productCode, installerResult)) {
        return Forgetting::NotForgotten;
    }
    std::string text = kNotInstalledBefore;
    text += catalog.GetField(DriverField::Name, index);
    text += kNotInstalledAfter;
    if (pass.MessageBox(text.c_str(), kNotInstalledCaption, kConfirmStyle) != kIdYes) {
        return Forgetting::Declined;
    }
    return catalog.DeleteRegistration(index) ? Forgetting::Forgotten : Forgetting::NotForgotten;
}
}  // namespace

void ManagerDialog::OnRemove() {
    int lineCount = m_driverList.GetCount();
    const int selectedCount = m_driverList.GetSelCount();
    int failureCount = 0;
    bool restartRequired = false;

    if (!ConfirmRemoval(lineCount, selectedCount)) return;
    std::vector<IviNote> iviNotes;
    if (!ConfirmIviUses(lineCount, iviNotes)) return;

    RemovalPass pass(*this);
    RemovalLogs logs(m_installer, m_logFiles);
    ProgressDialog progress(GetWindowSystem(), [this] { m_installer.RequestCancel(); });
    // Without a window the pass still runs; it just shows no progress.
    progress.Create(this);
    ActionDisplay actions(m_installer, progress);
    if (progress.GetWindow()) {
        // The bar's bounds are 16-bit: a count beyond that wraps, as the control would.
        progress.GetProgressCtrl().SetRange(
            0, static_cast<short>(static_cast<unsigned short>(selectedCount)));
        progress.GetProgressCtrl().SetPos(0);
        PaintProgress(progress);
    }

    // Stopped: a removal was cancelled, or selected lines were left untried.
    bool stopped = false;
    int selectedPosition = 0;
    for (int line = 0; line < lineCount; ++line) {
        if (m_driverList.GetSel(line) <= 0) continue;
        ++selectedPosition;
        if (progress.StopRequested()) {
            stopped = true;
            break;
        }

        // A line that names no record of this catalog is passed over, never handed to it; it
        // still advances the bar, so the bar ends full.
        const LongParam lineData = m_driverList.GetItemData(line);
        if (HoldsIndex(lineData)) {
            const int index = static_cast<int>(lineData);
            progress.ShowDriver(m_catalog->GetField(DriverField::Name, index), selectedPosition,
                                selectedCount);
            logs.Begin(m_catalog->GetField(DriverField::ProductCode, index));
            const RemovalAnswer answer = m_catalog->UninstallWithAnswer(index);
            RemovalOutcome outcome = answer.outcome;
            progress.ShowAction("");
            const Forgetting forgetting =
                outcome == RemovalOutcome::Failed
                    ? ForgetIfGone(pass, *m_catalog, m_installer, index, answer.result)
                    : Forgetting::NotForgotten;
            // A forgotten driver goes as a removed one does, and keeps no log.
            if (forgetting == Forgetting::Forgotten) outcome = RemovalOutcome::Removed;
            logs.End(outcome);
            if (outcome == RemovalOutcome::Cancelled) {
                // The installer rolled it back: not a failure, and its line stays selected.
                stopped = true;
                break;
            }
            if (outcome == RemovalOutcome::Failed) {
                if (forgetting != Forgetting::Declined) {
                    std::string text = kFailureBefore;
                    text += m_catalog->GetField(DriverField::Name, index);
                    text += kFailureAfter;
                    pass.MessageBox(text.c_str(), kFailureCaption, kFailureStyle);
                }
                ++failureCount;
            } else {
                if (outcome == RemovalOutcome::RemovedRestartRequired) restartRequired = true;
                for (IviNote& note : iviNotes) note.removed = note.removed || note.index == index;
                // The lines below move up, so the one now at this position is looked at next.
                lineCount = m_driverList.DeleteString(line);
                --line;
            }
        }

        if (progress.GetWindow()) {
            progress.GetProgressCtrl().OffsetPos(1);
            PaintProgress(progress);
        }
    }

    // Enabled first, as a modal window's end does, so that activation goes back to it rather
    // than to another program's window.
    pass.EndInput();
    progress.DestroyWindow();

    if (stopped) {
        MessageBox(kStopped, nullptr, kMbOk | kMbIconInformation);
    } else if (failureCount == 0) {
        MessageBox(kAllRemoved, nullptr, kMbOk);
    } else {
        MessageBox(kSomeNotRemoved, nullptr, kFailureStyle);
    }
    if (!logs.KeptFolder().empty()) {
        const std::string text =
            kLogsBefore + m_logFiles->InCodePage(logs.KeptFolder()) + kLogsAfter;
        MessageBox(text.c_str(), nullptr, kMbOk | kMbIconInformation);
    }
    ShowIviLeftovers(iviNotes);
    if (restartRequired) MessageBox(kRestartNeeded, nullptr, kMbOk | kMbIconInformation);
    pass.ReleaseCommands();
}

bool ManagerDialog::ConfirmRemoval(int lineCount, int selectedCount) {
    // An empty catalog shows only its placeholder line, which stands for no driver.
    if (selectedCount <= 0 || m_catalog->Count() == 0) return false;

    if (selectedCount > 1) {
        return MessageBox(kConfirmSeveral, kConfirmCaption, kConfirmStyle) == kIdYes;
    }

    for (int line = 0; line < lineCount; ++line) {
        if (m_driverList.GetSel(line) <= 0) continue;
        const LongParam lineData = m_driverList.GetItemData(line);
        if (!HoldsIndex(lineData)) return false;
        std::string text = kConfirmOneBefore;
        text += m_catalog->GetField(DriverField::Name, static_cast<int>(lineData));
        text += kConfirmOneAfter;
        return MessageBox(text.c_str(), kConfirmCaption, kConfirmStyle) == kIdYes;
    }
    return false;
}

bool ManagerDialog::HoldsIndex(LongParam lineData) const {
    return lineData >= 0 && lineData < m_catalog->Count();
}
