#include "catalog/DriverFilters.h"

#include <cstring>

#include "catalog/DriverRecord.h"

const char kAllFilterText[] = "<All>";

namespace {

// Byte-wise equality of two NUL-terminated texts, which is what a multibyte comparison yields
// for equality on well-formed texts of the system code page.
bool TextsEqual(const char* left, const char* right) { return std::strcmp(left, right) == 0; }

}  // namespace

bool FieldMatchesFilter(const std::string& filterText, const char* fieldText) {
    if (filterText.empty() || TextsEqual(filterText.c_str(), kAllFilterText)) return true;
    return TextsEqual(filterText.c_str(), fieldText);
}

bool RecordMatchesFilters(const DriverRecord& record, const DriverFilters& filters) {
    return FieldMatchesFilter(filters.cls, record.GetClass()) &&
           FieldMatchesFilter(filters.manufacturer, record.GetManufacturer()) &&
           FieldMatchesFilter(filters.ade, record.GetAde());
}
