#include <string>

#include "cmd/CsvField.h"
#include "cmd/ListedDriver.h"

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) text += (i == 0 ? "" : ";") + names[i];
    return text;
}

}  // namespace

std::string FormatCsv(const std::vector<ListedDriver>& drivers) {
    // Version and date come after the first six columns, which scripts already read by position.
    std::string out =
        "ProductCode,Name,Class,ADE,Manufacturer,Installed,Version,InstallDate,SoftwareModules,"
        "DriverSessions,LogicalNames\r\n";
    for (const ListedDriver& driver : drivers) {
        const DriverRecord& record = driver.record;
        for (const char* text : {record.GetProductCode(), record.GetName(), record.GetClass(),
                                 record.GetAde(), record.GetManufacturer()}) {
            AppendCsvField(out, text);
            out += ',';
        }
        out += driver.installed ? "yes," : "no,";
        AppendCsvField(out, driver.version);
        out += ',';
        AppendCsvField(out, driver.installDate);
        for (const auto* names : {&driver.uses.softwareModules, &driver.uses.driverSessions,
                                  &driver.uses.logicalNames}) {
            out += ',';
            AppendCsvField(out, Joined(*names));
        }
        out += "\r\n";
    }
    return out;
}
