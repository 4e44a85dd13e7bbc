#pragma once

#include <cstdint>

// Selects one text of a DriverRecord. Checks compare it as unsigned against Manufacturer, so
// negative values are as invalid as values above 4.
enum class DriverField : std::int32_t {
    ProductCode = 0,
    Name = 1,
    Class = 2,
    Ade = 3,
    Manufacturer = 4
};
