#pragma once

#include <string>
#include <vector>

#include "catalog/DriverFilters.h"
#include "catalog/DriverList.h"

class DriverRecord;

// Which drivers a command acts on: those that pass every filter and, for each of product codes,
// name patterns and a driver list that is given, are selected by one of its entries. `all`
// selects every driver; it stands alone on the command line.
struct DriverSelection {
    DriverFilters filters;
    std::vector<std::string> productCodes;
    std::vector<std::string> namePatterns;
    // The driver list's file as given, and its rows once read.
    std::string listFile;
    DriverList list;
    bool all = false;

    // Whether any filter, product code, name pattern or list was given.
    bool NamesDrivers() const;
};

bool IsSelected(const DriverRecord& record, const DriverSelection& selection);
