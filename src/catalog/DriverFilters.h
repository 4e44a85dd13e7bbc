#pragma once

#include <string>

class DriverRecord;

// The item of a filter that filters by nothing; a record whose own text is "<All>" passes it
// like any other.
extern const char kAllFilterText[];

// The class, manufacturer and ADE a driver must have to be shown or selected. Each compares
// exactly, byte for byte; an empty text or "<All>" lets every record pass.
struct DriverFilters {
    std::string cls;
    std::string manufacturer;
    std::string ade;
};

bool FieldMatchesFilter(const std::string& filterText, const char* fieldText);
bool RecordMatchesFilters(const DriverRecord& record, const DriverFilters& filters);
