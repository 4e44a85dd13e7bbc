#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalog/DriverField.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/ListBox.h"

class DriverCatalog;
class IviSystem;
class DriverRecord;
class LogFiles;
class RegistryReader;
class WindowsInstaller;

// The main window: three filters over the installed drivers, the list of the drivers that pass
// them, and the Refresh and Remove commands. All state but the catalog lives in the controls.
class ManagerDialog : public Dialog {
public:
    // Without `logFiles`, failed removals leave no installer log; without `ivi`, the IVI
    // configuration is not read and no removal asks about it.
    ManagerDialog(WindowSystem& windowSystem, RegistryReader& registry, WindowsInstaller& installer,
                  LogFiles* logFiles = nullptr, IviSystem* ivi = nullptr, Dialog* parent = nullptr);
    ~ManagerDialog() override;

protected:
    const MessageTable& GetMessageTable() const override;
    void DoDataExchange(DataExchange& exchange) override;
    bool OnInitDialog() override;

private:
    // Window (ManagerDialog.cpp).
    void OnSysCommand(unsigned commandId, LongParam lParam);
    void OnPaint();
    NativeHandle OnQueryDragIcon();
    void OnDriverListSelChange();
    void OnKeyDown(unsigned keyCode, unsigned repeatCount, unsigned keyFlags);

    // Filters and list (ManagerFilters.cpp).
    void ReloadCatalog();
    void FillFilterCombos();
    void FillFilterCombo(ComboBox& filter, DriverField field);
    void RestoreFilterSelections(int classPosition, int manufacturerPosition, int adePosition);
    void SelectAllItem(ComboBox& filter);
    void FillDriverList();
    std::string FilterText(const ComboBox& filter) const;
    void OnFilterChange();
    void OnRefresh();

    // Removal (ManagerRemoval.cpp).
    void OnRemove();
    bool ConfirmRemoval(int lineCount, int selectedCount);
    bool HoldsIndex(LongParam lineData) const;

    // The IVI configuration around a removal (ManagerIvi.cpp): the software modules of a
    // selected driver, noted before the pass, and whether the pass removed it.
    struct IviNote {
        int index;
        std::vector<std::string> modules;
        bool removed = false;
    };
    // Asks before drivers that the IVI configuration uses are uninstalled, and notes the
    // selected drivers' modules; false when the user declines.
    bool ConfirmIviUses(int lineCount, std::vector<IviNote>& notes);
    // Says what the configuration still holds of the noted drivers that were removed.
    void ShowIviLeftovers(const std::vector<IviNote>& notes);
    // Driver lists (ManagerDriverLists.cpp).
    void OnContextMenu(NativeHandle window, LongParam point);
    MessageResult OnDriverListKey(unsigned keyCode);
    void RunDriverListCommand(int command);
    int DriverLineCount() const;
    std::vector<int> SelectedCatalogIndexes() const;
    DriverRecord Utf8Record(int index) const;
    std::string SelectionAsDriverList() const;
    void SaveSelection();
    void SelectFromDriverList();

    // A position for RestoreFilterSelections that stands for the "<All>" item wherever it sorts:
    // texts that begin with punctuation (".NET", "_x") sort before it, so it need not be first.
    static constexpr int kAllItemPosition = -1;

    static const MessageEntry kMessageEntries[];
    static const MessageTable kMessageTable;

    Button m_removeButton;
    ComboBox m_manufacturerFilter;
    ComboBox m_classFilter;
    ComboBox m_adeFilter;
    ListBox m_driverList;
    // A shared resource icon: never released.
    NativeHandle m_icon;
    std::unique_ptr<DriverCatalog> m_catalog;
    RegistryReader& m_registry;
    WindowsInstaller& m_installer;
    LogFiles* m_logFiles;
    IviSystem* m_ivi;
};
