// The driver list's own commands: select all, copy or save the selection as a driver list, and
// select the lines a driver list selects. Reached by the list's shortcut menu and, while the
// list has the focus, by Ctrl with A, C, S or O.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "catalog/DriverCatalog.h"
#include "catalog/DriverList.h"
#include "cmd/ListedDriver.h"
#include "ivi/IviConfiguration.h"
#include "res/resource.h"
#include "ui/ManagerDialog.h"

namespace {
const char kDefaultListName[] = "Drivers.csv";
const char kOneRowUnmatched[] = "1 row of the list matches no driver shown.";
const char kRowsUnmatchedAfter[] = " rows of the list match no driver shown.";

constexpr unsigned kErrorStyle = kMbOk | kMbIconError;
constexpr unsigned kInformationStyle = kMbOk | kMbIconInformation;
}  // namespace

void ManagerDialog::OnContextMenu(NativeHandle window, LongParam point) {
    if (window != m_driverList.GetSafeHandle()) {
        Default();
        return;
    }
    const bool anyDriver = DriverLineCount() > 0;
    const bool anySelected = !SelectedCatalogIndexes().empty();
    const std::vector<MenuItem> items = {
        {IDM_SELECT_ALL, "Select &All\tCtrl+A", anyDriver},
        {IDM_COPY, "&Copy\tCtrl+C", anySelected},
        {IDM_SAVE_SELECTION, "&Save Selection As...\tCtrl+S", anySelected},
        {IDM_SELECT_FROM_LIST, "Select From &List...\tCtrl+O", anyDriver},
    };
    RunDriverListCommand(
        GetWindowSystem().ShowShortcutMenu(*this, *m_driverList.GetControlWindow(), point, items));
}

MessageResult ManagerDialog::OnDriverListKey(unsigned keyCode) {
    WindowSystem& system = GetWindowSystem();
    if (!system.IsKeyDown(kVkControl) || system.IsKeyDown(kVkShift) || system.IsKeyDown(kVkMenu)) {
        return kVKeyDefault;
    }
    const struct {
        unsigned key;
        int command;
    } keys[] = {{'A', IDM_SELECT_ALL},
                {'C', IDM_COPY},
                {'S', IDM_SAVE_SELECTION},
                {'O', IDM_SELECT_FROM_LIST}};
    for (const auto& key : keys) {
        if (key.key == keyCode) {
            RunDriverListCommand(key.command);
            return kVKeyHandled;
        }
    }
    return kVKeyDefault;
}

// A command with nothing to act on does nothing, as its greyed menu item would.
void ManagerDialog::RunDriverListCommand(int command) {
    if (DriverLineCount() == 0) return;
    switch (command) {
        case IDM_SELECT_ALL:
            m_driverList.SetSel(true, -1);
            OnDriverListSelChange();
            break;
        case IDM_COPY:
            if (!SelectedCatalogIndexes().empty()) {
                GetWindowSystem().CopyToClipboard(*this, SelectionAsDriverList());
            }
            break;
        case IDM_SAVE_SELECTION:
            if (!SelectedCatalogIndexes().empty()) SaveSelection();
            break;
        case IDM_SELECT_FROM_LIST:
            SelectFromDriverList();
            break;
        default:
            break;
    }
}

int ManagerDialog::DriverLineCount() const {
    // The placeholder of an empty catalog stands for no driver.
    return m_catalog->Count() > 0 ? m_driverList.GetCount() : 0;
}

std::vector<int> ManagerDialog::SelectedCatalogIndexes() const {
    std::vector<int> indexes;
    if (m_catalog->Count() == 0) return indexes;
    for (int line = 0; line < m_driverList.GetCount(); ++line) {
        const LongParam data = m_driverList.GetItemData(line);
        if (m_driverList.GetSel(line) > 0 && HoldsIndex(data)) {
            indexes.push_back(static_cast<int>(data));
        }
    }
    return indexes;
}

DriverRecord ManagerDialog::Utf8Record(int index) const {
    WindowSystem& system = GetWindowSystem();
    const DriverRecord& record = m_catalog->RecordAt(index);
    return DriverRecord(system.Utf8FromWindowText(record.GetProductCode()).c_str(),
                        system.Utf8FromWindowText(record.GetName()).c_str(),
                        system.Utf8FromWindowText(record.GetClass()).c_str(),
                        system.Utf8FromWindowText(record.GetAde()).c_str(),
                        system.Utf8FromWindowText(record.GetManufacturer()).c_str());
}

std::string ManagerDialog::SelectionAsDriverList() const {
    // The same columns and values as the console's list, the IVI configuration's uses included.
    std::optional<IviConfiguration> configuration;
    if (m_ivi) configuration = IviConfiguration::Read(m_registry, *m_ivi);
    std::vector<ListedDriver> drivers;
    for (int index : SelectedCatalogIndexes()) {
        const char* productCode = m_catalog->RecordAt(index).GetProductCode();
        drivers.push_back(ListDriver(
            m_installer, Utf8Record(index), productCode,
            [this](const char* text) { return GetWindowSystem().Utf8FromWindowText(text); }));
        if (configuration)
            drivers.back().uses = configuration->UsesOf(configuration->ModulesOf(productCode));
    }
    return FormatCsv(drivers);
}

void ManagerDialog::SaveSelection() {
    std::string path;
    const FileChoice choice =
        GetWindowSystem().SaveCsvFileAs(*this, kDefaultListName, SelectionAsDriverList(), path);
    if (choice == FileChoice::Failed) {
        MessageBox((path + ": the driver list could not be saved.").c_str(), nullptr, kErrorStyle);
    }
}

void ManagerDialog::SelectFromDriverList() {
    std::string path;
    std::string content;
    const FileChoice choice = GetWindowSystem().OpenCsvFile(*this, path, content);
    if (choice == FileChoice::Cancelled) return;
    DriverList list;
    DriverListProblem problem;
    if (choice == FileChoice::Failed) {
        MessageBox((path + ": the driver list cannot be read.").c_str(), nullptr, kErrorStyle);
        return;
    }
    if (!ReadDriverList(content, list, problem)) {
        MessageBox((path + " line " + std::to_string(problem.line) +
                    ": not a driver list: " + problem.what + ".")
                       .c_str(),
                   nullptr, kErrorStyle);
        return;
    }

    std::vector<bool> rowMatched(list.rows.size(), false);
    for (int line = 0; line < m_driverList.GetCount(); ++line) {
        const LongParam data = m_driverList.GetItemData(line);
        bool selected = false;
        if (HoldsIndex(data)) {
            const DriverRecord record = Utf8Record(static_cast<int>(data));
            for (std::size_t row = 0; row < list.rows.size(); ++row) {
                if (!RowSelects(list.rows[row], record)) continue;
                rowMatched[row] = true;
                selected = true;
            }
        }
        m_driverList.SetSel(selected, line);
    }
    OnDriverListSelChange();

    const auto unmatched = std::count(rowMatched.begin(), rowMatched.end(), false);
    if (unmatched == 1) MessageBox(kOneRowUnmatched, nullptr, kInformationStyle);
    if (unmatched > 1) {
        MessageBox((std::to_string(unmatched) + kRowsUnmatchedAfter).c_str(), nullptr,
                   kInformationStyle);
    }
}
