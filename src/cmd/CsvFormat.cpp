#include <string>

#include "cmd/CsvField.h"
#include "cmd/ListedDriver.h"

std::string FormatCsv(const std::vector<ListedDriver>& drivers) {
    // Version and date come after the first six columns, which scripts already read by position.
    std::string out = "ProductCode,Name,Class,ADE,Manufacturer,Installed,Version,InstallDate\r\n";
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
        out += "\r\n";
    }
    return out;
}
