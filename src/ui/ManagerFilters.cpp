#include <stdexcept>
#include <string_view>
#include <unordered_set>

#include "catalog/DriverCatalog.h"
#include "catalog/DriverFilters.h"
#include "framework/RedrawScope.h"
#include "ui/ManagerDialog.h"

namespace {
const char kNoDriversText[] = "No installed IVI drivers found";
// Dialog units; the list repeats the one stop across the line, so the ADE forms a column.
const int kDriverListTabStop = 48;
}  // namespace

void ManagerDialog::ReloadCatalog() {
    // The filters' item data points into the records about to be replaced. Should the reload
    // throw something this does not catch, no item must be left pointing at freed text.
    m_classFilter.ResetContent();
    m_manufacturerFilter.ResetContent();
    m_adeFilter.ResetContent();
    try {
        m_catalog->Reload();
    } catch (const std::runtime_error&) {
        // A missing or unreadable key leaves the catalog empty, which the list shows by its
        // placeholder line; the user gets no message for it.
    }
}

void ManagerDialog::FillFilterCombos() {
    FillFilterCombo(m_classFilter, DriverField::Class);
    FillFilterCombo(m_manufacturerFilter, DriverField::Manufacturer);
    FillFilterCombo(m_adeFilter, DriverField::Ade);
}

void ManagerDialog::FillFilterCombo(ComboBox& filter, DriverField field) {
    // "<All>" is never seen here, so a field whose text is "<All>" gets an item of its own. The
    // texts seen are the records' own, which outlive the fill.
    std::unordered_set<std::string_view> seen;
    const int count = m_catalog->Count();

    RedrawScope redraw(filter);
    filter.ResetContent();
    const int allPosition = filter.AddString(kAllFilterText);
    if (allPosition >= 0) filter.SetItemData(allPosition, 0);

    for (int index = 0; index < count; ++index) {
        const char* text = m_catalog->GetField(field, index);
        if (!seen.insert(text).second) continue;
        const int position = filter.AddString(text);
        // The data points at the record's own text, which lives until the next reload; every
        // reload is followed by a refill before the data is read again.
        if (position >= 0) filter.SetItemData(position, reinterpret_cast<LongParam>(text));
    }
}

void ManagerDialog::RestoreFilterSelections(int classPosition, int manufacturerPosition,
                                            int adePosition) {
    struct Restore {
        ComboBox& filter;
        int position;
    };
    const Restore restores[] = {{m_classFilter, classPosition},
                                {m_manufacturerFilter, manufacturerPosition},
                                {m_adeFilter, adePosition}};
    for (const Restore& restore : restores) {
        // By number, not by text: after a reload the same position may hold another value.
        if (restore.position >= 0 && restore.position < restore.filter.GetCount()) {
            restore.filter.SetCurSel(restore.position);
        } else {
            SelectAllItem(restore.filter);
        }
    }
}

void ManagerDialog::SelectAllItem(ComboBox& filter) {
    const int count = filter.GetCount();
    for (int position = 0; position < count; ++position) {
        if (filter.GetItemData(position) == 0) {
            filter.SetCurSel(position);
            return;
        }
    }
    filter.SetCurSel(0);
}

void ManagerDialog::FillDriverList() {
    const int count = m_catalog->Count();
    RedrawScope redraw(m_driverList);
    m_driverList.SetTabStops(1, &kDriverListTabStop);
    m_driverList.ResetContent();

    if (count == 0) {
        m_driverList.AddString(kNoDriversText);
        return;
    }

    DriverFilters filters;
    filters.cls = FilterText(m_classFilter);
    filters.manufacturer = FilterText(m_manufacturerFilter);
    filters.ade = FilterText(m_adeFilter);

    for (int index = 0; index < count; ++index) {
        if (!RecordMatchesFilters(m_catalog->RecordAt(index), filters)) continue;
        std::string line = m_catalog->NameAt(index);
        // A chosen ADE makes the column redundant.
        if (filters.ade.empty()) {
            line += '\t';
            line += m_catalog->GetField(DriverField::Ade, index);
        }
        const int position = m_driverList.AddString(line.c_str());
        if (position >= 0) m_driverList.SetItemData(position, index);
    }
}

std::string ManagerDialog::FilterText(const ComboBox& filter) const {
    const int position = filter.GetCurSel();
    if (position < 0) return std::string();
    const LongParam data = filter.GetItemData(position);
    if (data == 0) return std::string();
    return std::string(reinterpret_cast<const char*>(data));
}

void ManagerDialog::OnFilterChange() { FillDriverList(); }

void ManagerDialog::OnRefresh() {
    const int classPosition = m_classFilter.GetCurSel();
    const int manufacturerPosition = m_manufacturerFilter.GetCurSel();
    const int adePosition = m_adeFilter.GetCurSel();

    ReloadCatalog();
    FillFilterCombos();
    RestoreFilterSelections(classPosition, manufacturerPosition, adePosition);
    FillDriverList();
}
