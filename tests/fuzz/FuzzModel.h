#pragma once

#include <array>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "catalog/DriverCatalog.h"

// A driver record as the fuzz targets' models hold it: its five texts, indexed by DriverField.
using ModelRecord = std::array<std::string, 5>;

inline const std::string& FieldOf(const ModelRecord& record, DriverField field) {
    return record[static_cast<std::size_t>(field)];
}
inline const std::string& FieldOf(const ModelRecord& record, int field) {
    return record[static_cast<std::size_t>(field)];
}

// DriverRecord's order: name ascending, then ADE descending, bytes compared unsigned (as
// std::string compares them).
inline bool ModelLess(const ModelRecord& left, const ModelRecord& right) {
    const int names = FieldOf(left, DriverField::Name).compare(FieldOf(right, DriverField::Name));
    if (names != 0) return names < 0;
    return FieldOf(left, DriverField::Ade).compare(FieldOf(right, DriverField::Ade)) > 0;
}

// The catalog's records in its order; every text must be there, the name as NameAt gives it.
inline std::vector<ModelRecord> Contents(const DriverCatalog& catalog) {
    std::vector<ModelRecord> records(static_cast<std::size_t>(catalog.Count()));
    for (int i = 0; i < catalog.Count(); ++i) {
        ModelRecord& record = records[static_cast<std::size_t>(i)];
        for (int field = 0; field < 5; ++field) {
            const char* text = catalog.GetField(static_cast<DriverField>(field), i);
            FUZZ_CHECK(text != nullptr);
            record[static_cast<std::size_t>(field)] = text;
        }
        FUZZ_CHECK(FieldOf(record, DriverField::Name) == catalog.NameAt(i));
    }
    return records;
}
