#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "cmd/ListedDriver.h"

namespace {

constexpr std::size_t kColumns = 7;
using Row = std::array<std::string, kColumns>;

// Characters rather than bytes, so that a name with accents lines up; a byte that is not UTF-8
// counts as one character.
std::size_t DisplayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A line break or tab inside a text would break the table's lines and columns.
std::string OnOneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return text;
}

}  // namespace

std::string FormatTextTable(const std::vector<ListedDriver>& drivers) {
    std::vector<Row> rows = {
        {"Product code", "Name", "Class", "ADE", "Manufacturer", "Installed", "Version"}};
    for (const ListedDriver& driver : drivers) {
        const DriverRecord& record = driver.record;
        rows.push_back({OnOneLine(record.GetProductCode()), OnOneLine(record.GetName()),
                        OnOneLine(record.GetClass()), OnOneLine(record.GetAde()),
                        OnOneLine(record.GetManufacturer()), driver.installed ? "yes" : "no",
                        OnOneLine(driver.version)});
    }
    std::array<std::size_t, kColumns> widths = {};
    for (const Row& row : rows) {
        for (std::size_t column = 0; column < kColumns; ++column) {
            widths[column] = std::max(widths[column], DisplayWidth(row[column]));
        }
    }
    std::string out;
    for (const Row& row : rows) {
        for (std::size_t column = 0; column + 1 < kColumns; ++column) {
            out += row[column];
            out.append(widths[column] - DisplayWidth(row[column]) + 2, ' ');
        }
        out += row[kColumns - 1];
        // A driver without a version would otherwise end its line in the padding.
        out.erase(out.find_last_not_of(' ') + 1);
        out += '\n';
    }
    return out;
}
