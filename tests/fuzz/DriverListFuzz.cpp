// Any bytes as a driver list: refused with a line of the text, or read into rows that each keep a
// cell to select by; a row's name, as a pattern, always matches itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "catalog/DriverList.h"
#include "catalog/DriverRecord.h"
#include "catalog/NamePattern.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    DriverList list;
    DriverListProblem problem;
    if (!ReadDriverList(text, list, problem)) {
        const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
        FUZZ_CHECK(problem.line >= 1 && problem.line <= lines && !problem.what.empty());
        return 0;
    }
    const DriverRecord record("{A}", "Agilent 34401", "IviDmm", "C", "Acme");
    for (const DriverListRow& row : list.rows) {
        FUZZ_CHECK(!(row.productCode.empty() && row.name.empty() && row.cls.empty() &&
                     row.ade.empty() && row.manufacturer.empty()));
        FUZZ_CHECK(MatchesNamePattern(row.name, row.name));
        RowSelects(row, record);
    }
    return 0;
}
