#pragma once

#include <functional>
#include <string>
#include <vector>

#include "catalog/DriverRecord.h"
#include "ivi/IviConfiguration.h"

class WindowsInstaller;

// One line of `list`: a driver's texts in UTF-8, whether its product is installed, and the
// installed product's version and install date (YYYY-MM-DD), empty when not known, and what the
// IVI configuration holds of it.
struct ListedDriver {
    DriverRecord record;
    bool installed;
    std::string version;
    std::string installDate;
    IviUses uses;
};

// The line of a driver whose texts in UTF-8 are `text`, asking the installer about its product.
ListedDriver ListDriver(WindowsInstaller& installer, DriverRecord text, const char* productCode,
                        const std::function<std::string(const char*)>& utf8FromCodePage);

// The list as a table for a person, as RFC 4180 CSV with a header row, and as one JSON array.
// Texts that are not UTF-8 still give well-formed CSV and JSON.
std::string FormatTextTable(const std::vector<ListedDriver>& drivers);
std::string FormatCsv(const std::vector<ListedDriver>& drivers);
std::string FormatJson(const std::vector<ListedDriver>& drivers);
