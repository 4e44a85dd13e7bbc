#pragma once

#include <string>
#include <vector>

#include "catalog/DriverFilters.h"

class DriverRecord;

// Which drivers a command acts on: those that pass every filter and, when product codes are
// given, carry one of them. `all` selects every driver; it stands alone on the command line.
struct DriverSelection {
    DriverFilters filters;
    std::vector<std::string> productCodes;
    bool all = false;

    // Whether any filter or product code was given.
    bool NamesDrivers() const;
};

bool IsSelected(const DriverRecord& record, const DriverSelection& selection);
