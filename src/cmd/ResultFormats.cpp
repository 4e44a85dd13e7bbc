#include <nlohmann/json.hpp>

#include "cmd/CsvField.h"
#include "cmd/DriverResult.h"

namespace {

using Json = nlohmann::ordered_json;

// One field of a result: its CSV column, its JSON key, and its value, null when the result has
// none (the key is then left out and the cell left empty).
struct ResultColumn {
    const char* csvName;
    const char* jsonKey;
    Json (*value)(const DriverResult& result);
};

const ResultColumn kColumns[] = {
    {"ProductCode", "productCode",
     [](const DriverResult& r) { return Json(r.driver.GetProductCode()); }},
    {"Name", "name", [](const DriverResult& r) { return Json(r.driver.GetName()); }},
    {"Class", "class", [](const DriverResult& r) { return Json(r.driver.GetClass()); }},
    {"ADE", "ade", [](const DriverResult& r) { return Json(r.driver.GetAde()); }},
    {"Manufacturer", "manufacturer",
     [](const DriverResult& r) { return Json(r.driver.GetManufacturer()); }},
    {"Outcome", "outcome", [](const DriverResult& r) { return Json(r.outcome); }},
    {"InstallerResult", "installerResult",
     [](const DriverResult& r) { return r.installerResult ? Json(*r.installerResult) : Json(); }},
    {"Log", "log", [](const DriverResult& r) { return r.log.empty() ? Json() : Json(r.log); }},
};

}  // namespace

std::string FormatResultsCsv(const std::vector<DriverResult>& results) {
    std::string out;
    for (const ResultColumn& column : kColumns) {
        if (&column != kColumns) out += ',';
        out += column.csvName;
    }
    out += "\r\n";
    for (const DriverResult& result : results) {
        for (const ResultColumn& column : kColumns) {
            if (&column != kColumns) out += ',';
            const Json value = column.value(result);
            if (value.is_string()) AppendCsvField(out, value.get_ref<const std::string&>());
            if (value.is_number()) out += value.dump();
        }
        out += "\r\n";
    }
    return out;
}

std::string FormatResultsJson(const std::vector<DriverResult>& results) {
    Json list = Json::array();
    for (const DriverResult& result : results) {
        Json object = Json::object();
        for (const ResultColumn& column : kColumns) {
            Json value = column.value(result);
            if (!value.is_null()) object[column.jsonKey] = std::move(value);
        }
        list.push_back(std::move(object));
    }
    // A byte that is not UTF-8 becomes U+FFFD rather than ending the output.
    return list.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
