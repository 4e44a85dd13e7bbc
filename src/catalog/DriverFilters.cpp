#include "catalog/DriverFilters.h"

#include <cstring>

#include "catalog/DriverRecord.h"

const char kAllFilterText[] = "<All>";

namespace {

// Byte-wise equality of two NUL-terminated texts, which is what a multibyte comparison yields
// for equality on well-formed texts of the system code page.
bool TextsEqual(const char* left, const char* right) { return std::strcmp(left, right) == 0; }

bool FieldMatches(const std::string& filterText, const char* fieldText, bool allTextPasses) {
    if (filterText.empty()) return true;
    if (allTextPasses && TextsEqual(filterText.c_str(), kAllFilterText)) return true;
    return TextsEqual(filterText.c_str(), fieldText);
}

bool RecordMatches(const DriverRecord& record, const DriverFilters& filters, bool allTextPasses) {
    return FieldMatches(filters.cls, record.GetClass(), allTextPasses) &&
           FieldMatches(filters.manufacturer, record.GetManufacturer(), allTextPasses) &&
           FieldMatches(filters.ade, record.GetAde(), allTextPasses);
}

}  // namespace

bool RecordMatchesFilters(const DriverRecord& record, const DriverFilters& filters) {
    return RecordMatches(record, filters, true);
}

bool RecordMatchesNamedFilters(const DriverRecord& record, const DriverFilters& filters) {
    return RecordMatches(record, filters, false);
}
