#pragma once

#include <string>

class DriverRecord;

// The item of a filter that filters by nothing; a record whose own text is "<All>" passes it
// like any other.
extern const char kAllFilterText[];

// The class, manufacturer and ADE a driver must have to be shown or selected. Each compares
// exactly, byte for byte; an empty text lets every record pass.
struct DriverFilters {
    std::string cls;
    std::string manufacturer;
    std::string ade;
};

// The window's filters: "<All>" lets every record pass as well, since a record whose own text
// is "<All>" gives the combo an item of that text.
bool RecordMatchesFilters(const DriverRecord& record, const DriverFilters& filters);
// Filters given by name (on a command line): "<All>" is a text like any other, so that it can
// never select every driver by accident.
bool RecordMatchesNamedFilters(const DriverRecord& record, const DriverFilters& filters);
