#pragma once

#include <string>
#include <vector>

class DriverRecord;

// One row of a driver list. It selects the drivers that match every cell that is not empty:
// the product code without regard to letter case, the name as a name pattern, the others
// exactly, as the named filters compare.
struct DriverListRow {
    int line;
    std::string productCode;
    std::string name;
    std::string cls;
    std::string ade;
    std::string manufacturer;
};

// A driver list as `list --format csv` writes it; a driver is in the list's selection when any
// row selects it.
struct DriverList {
    std::vector<DriverListRow> rows;
};

// Why a text is not a driver list, and the line where that shows (0 for the text as a whole).
struct DriverListProblem {
    int line = 0;
    std::string what;
};

// Reads a driver list from UTF-8 CSV text, a byte-order mark allowed. The header row names the
// columns; of them ProductCode, Name, Class, ADE and Manufacturer are read, in any order, and
// the others ignored. False, with `problem` set, when the text is not UTF-8 or not such CSV,
// has none of the five columns, or has a row whose five cells are all empty: such a row would
// select every driver.
bool ReadDriverList(const std::string& text, DriverList& list, DriverListProblem& problem);

// `record` holds UTF-8 texts.
bool RowSelects(const DriverListRow& row, const DriverRecord& record);
bool ListSelects(const DriverList& list, const DriverRecord& record);

// Product codes are GUIDs, which Windows compares without regard to letter case.
bool ProductCodesEqual(const std::string& left, const char* right);
