#include "cmd/DriverSelection.h"

#include <algorithm>

#include "catalog/DriverRecord.h"

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows compares product codes without regard to letter case; they are GUIDs, so ASCII
// folding is all it takes.
bool ProductCodesEqual(const std::string& left, const char* right) {
    const std::string other = right;
    return left.size() == other.size() &&
           std::equal(left.begin(), left.end(), other.begin(),
                      [](char l, char r) { return AsciiUpper(l) == AsciiUpper(r); });
}

}  // namespace

bool DriverSelection::NamesDrivers() const {
    return !filters.cls.empty() || !filters.manufacturer.empty() || !filters.ade.empty() ||
           !productCodes.empty();
}

bool IsSelected(const DriverRecord& record, const DriverSelection& selection) {
    if (!RecordMatchesNamedFilters(record, selection.filters)) return false;
    if (selection.productCodes.empty()) return true;
    return std::any_of(
        selection.productCodes.begin(), selection.productCodes.end(),
        [&](const std::string& code) { return ProductCodesEqual(code, record.GetProductCode()); });
}
