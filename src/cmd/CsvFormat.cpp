#include <string>

#include "cmd/ListedDriver.h"

namespace {

// Control bytes are quoted too: a reader that splits lines before it parses fields must not
// see a bare carriage return.
bool NeedsQuotes(const std::string& text) {
    for (unsigned char c : text) {
        if (c == '"' || c == ',' || c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

void AppendField(std::string& out, const std::string& text) {
    if (!NeedsQuotes(text)) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

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
            AppendField(out, text);
            out += ',';
        }
        out += driver.installed ? "yes," : "no,";
        AppendField(out, driver.version);
        out += ',';
        AppendField(out, driver.installDate);
        for (const auto* names : {&driver.uses.softwareModules, &driver.uses.driverSessions,
                                  &driver.uses.logicalNames}) {
            out += ',';
            AppendField(out, Joined(*names));
        }
        out += "\r\n";
    }
    return out;
}
