#include "cmd/DriverSelection.h"

#include <algorithm>

#include "catalog/DriverRecord.h"
#include "catalog/NamePattern.h"

bool DriverSelection::NamesDrivers() const {
    return !filters.cls.empty() || !filters.manufacturer.empty() || !filters.ade.empty() ||
           !productCodes.empty() || !namePatterns.empty() || !listFile.empty();
}

bool IsSelected(const DriverRecord& record, const DriverSelection& selection) {
    if (!RecordMatchesNamedFilters(record, selection.filters)) return false;
    const auto anyOrNone = [](const std::vector<std::string>& entries, auto selects) {
        return entries.empty() || std::any_of(entries.begin(), entries.end(), selects);
    };
    return anyOrNone(selection.productCodes,
                     [&](const std::string& code) {
                         return ProductCodesEqual(code, record.GetProductCode());
                     }) &&
           anyOrNone(selection.namePatterns,
                     [&](const std::string& pattern) {
                         return MatchesNamePattern(record.GetName(), pattern);
                     }) &&
           (selection.listFile.empty() || ListSelects(selection.list, record));
}
