#include <string>
#include <vector>

#include "catalog/DriverCatalog.h"
#include "ivi/IviConfiguration.h"
#include "ivi/IviSystem.h"
#include "ivi/IviUsesText.h"
#include "ui/ManagerDialog.h"

namespace {
const char kInUseCaption[] = "Uninstall Drivers";
const char kInUseBefore[] = "The IVI configuration uses these drivers:\n\n";
const char kInUseAfter[] =
    "\nTest programs that open these names will fail once the drivers are uninstalled. Do you "
    "want to uninstall them anyway?";
const char kStillHeldBefore[] =
    "The IVI configuration still refers to drivers that were "
    "uninstalled:\n\n";
const char kStillHeldAfter[] = "\nChange or remove these entries with your IVI configuration tool.";

// Past this many drivers, the question counts the rest.
constexpr int kMaxInUseLines = 10;
}  // namespace

bool ManagerDialog::ConfirmIviUses(int lineCount, std::vector<IviNote>& notes) {
    notes.clear();
    if (!m_ivi) return true;
    const IviConfiguration configuration = IviConfiguration::Read(m_registry, *m_ivi);
    std::string lines;
    int usedCount = 0;
    for (int line = 0; line < lineCount; ++line) {
        const LongParam lineData = m_driverList.GetItemData(line);
        if (m_driverList.GetSel(line) <= 0 || !HoldsIndex(lineData)) continue;
        const int index = static_cast<int>(lineData);
        const std::vector<std::string> modules =
            configuration.ModulesOf(m_catalog->GetField(DriverField::ProductCode, index));
        if (!modules.empty()) notes.push_back({index, modules});
        const IviUses uses = configuration.UsesOf(modules);
        if (!uses.InUse()) continue;
        if (++usedCount <= kMaxInUseLines) {
            lines += m_catalog->GetField(DriverField::Name, index);
            lines += " (" + m_ivi->CodePageFromUtf8(InUseText(uses)) + ")\n";
        }
    }
    if (usedCount == 0) return true;
    if (usedCount > kMaxInUseLines) {
        lines += "and " + std::to_string(usedCount - kMaxInUseLines) + " more\n";
    }
    const std::string text = kInUseBefore + lines + kInUseAfter;
    return MessageBox(text.c_str(), kInUseCaption, kMbYesNo | kMbIconWarning | kMbDefButton2) ==
           kIdYes;
}

void ManagerDialog::ShowIviLeftovers(const std::vector<IviNote>& notes) {
    if (!m_ivi) return;
    bool anyRemoved = false;
    for (const IviNote& note : notes) anyRemoved = anyRemoved || note.removed;
    if (!anyRemoved) return;
    const IviConfiguration configuration = IviConfiguration::Read(m_registry, *m_ivi);
    std::string lines;
    for (const IviNote& note : notes) {
        if (!note.removed) continue;
        const IviUses held = configuration.UsesOf(note.modules);
        if (held.Empty()) continue;
        lines += m_catalog->GetField(DriverField::Name, note.index);
        lines += " (" + m_ivi->CodePageFromUtf8(StillRefersText(held)) + ")\n";
    }
    if (lines.empty()) return;
    const std::string text = kStillHeldBefore + lines + kStillHeldAfter;
    MessageBox(text.c_str(), nullptr, kMbOk | kMbIconInformation);
}
