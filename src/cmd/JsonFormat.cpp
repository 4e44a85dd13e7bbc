#include <nlohmann/json.hpp>

#include "cmd/ListedDriver.h"

std::string FormatJson(const std::vector<ListedDriver>& drivers) {
    // Ordered, so that the keys come as a person reads a driver: code first, then its texts.
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const ListedDriver& driver : drivers) {
        const DriverRecord& record = driver.record;
        list.push_back({{"productCode", record.GetProductCode()},
                        {"name", record.GetName()},
                        {"class", record.GetClass()},
                        {"ade", record.GetAde()},
                        {"manufacturer", record.GetManufacturer()},
                        {"installed", driver.installed},
                        {"version", driver.version},
                        {"installDate", driver.installDate},
                        {"softwareModules", driver.uses.softwareModules},
                        {"driverSessions", driver.uses.driverSessions},
                        {"logicalNames", driver.uses.logicalNames}});
    }
    // A byte that is not UTF-8 becomes U+FFFD rather than ending the output.
    return list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
