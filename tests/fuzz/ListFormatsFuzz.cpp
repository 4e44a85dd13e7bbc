// The console companion's list formats over drivers of arbitrary texts (versions and install
// dates too): the CSV reads back field for field and, as a driver list, selects each of its
// drivers; the JSON parses with every UTF-8 text unchanged, and the table keeps one line per
// driver. The results of remove and prune over the same drivers read and parse back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CsvReader.h"
#include "FuzzCheck.h"
#include "catalog/DriverList.h"
#include "cmd/DriverResult.h"
#include "cmd/ListedDriver.h"

namespace {

constexpr int kMaxDrivers = 6;
constexpr std::size_t kMaxTextLength = 40;

bool IsUtf8(const std::string& text) {
    try {
        nlohmann::json(text).dump();
        return true;
    } catch (const nlohmann::json::type_error&) {
        return false;
    }
}

void CheckCsv(const std::vector<ListedDriver>& drivers,
              const std::vector<std::vector<std::string>>& texts) {
    CsvRows rows;
    FUZZ_CHECK(ReadCsv(FormatCsv(drivers), rows));
    FUZZ_CHECK(rows.size() == drivers.size() + 1);
    for (std::size_t i = 0; i < drivers.size(); ++i) {
        std::vector<std::string> expected(texts[i].begin(), texts[i].begin() + 5);
        expected.push_back(drivers[i].installed ? "yes" : "no");
        expected.push_back(drivers[i].version);
        expected.push_back(drivers[i].installDate);
        // The driver's uses, as the input gave them: one module, one session, no name.
        expected.push_back(drivers[i].version);
        expected.push_back(drivers[i].installDate);
        expected.push_back("");
        FUZZ_CHECK(rows[i + 1] == expected);
    }
}

void CheckJson(const std::vector<ListedDriver>& drivers,
               const std::vector<std::vector<std::string>>& texts) {
    const char* const keys[] = {"productCode",  "name",    "class",      "ade",
                                "manufacturer", "version", "installDate"};
    const nlohmann::json list = nlohmann::json::parse(FormatJson(drivers), nullptr, false);
    FUZZ_CHECK(list.is_array() && list.size() == drivers.size());
    for (std::size_t i = 0; i < drivers.size(); ++i) {
        FUZZ_CHECK(list[i].size() == 11);
        FUZZ_CHECK(list[i].at("logicalNames").empty());
        FUZZ_CHECK(list[i].at("installed") == drivers[i].installed);
        for (std::size_t field = 0; field < texts[i].size(); ++field) {
            const nlohmann::json& value = list[i].at(keys[field]);
            FUZZ_CHECK(value.is_string());
            if (IsUtf8(texts[i][field])) FUZZ_CHECK(value == texts[i][field]);
        }
    }
}

// A list of drivers whose texts are all UTF-8 reads back as a driver list in which each row
// selects its own driver; any other list is refused with a line, never misread.
void CheckDriverList(const std::vector<ListedDriver>& drivers,
                     const std::vector<std::vector<std::string>>& texts) {
    DriverList list;
    DriverListProblem problem;
    const bool read = ReadDriverList(FormatCsv(drivers), list, problem);
    bool allUtf8 = true;
    for (const std::vector<std::string>& fields : texts) {
        for (const std::string& text : fields) allUtf8 = allUtf8 && IsUtf8(text);
    }
    if (!read) {
        FUZZ_CHECK(problem.line >= 1 && !problem.what.empty());
        FUZZ_CHECK(!allUtf8 || std::any_of(texts.begin(), texts.end(), [](const auto& fields) {
            return std::all_of(fields.begin(), fields.begin() + 5,
                               [](const std::string& text) { return text.empty(); });
        }));
        return;
    }
    FUZZ_CHECK(list.rows.size() == drivers.size());
    for (std::size_t i = 0; i < drivers.size(); ++i) {
        FUZZ_CHECK(RowSelects(list.rows[i], drivers[i].record));
    }
}

void CheckResults(const std::vector<ListedDriver>& drivers,
                  const std::vector<std::vector<std::string>>& texts) {
    std::vector<DriverResult> results;
    for (std::size_t i = 0; i < drivers.size(); ++i) {
        // The version's bytes stand in for a log's path, the install date's length for a result.
        results.push_back({drivers[i].record, Outcome::kFailed,
                           static_cast<unsigned>(drivers[i].installDate.size()), texts[i][5]});
    }
    CsvRows rows;
    FUZZ_CHECK(ReadCsv(FormatResultsCsv(results), rows));
    FUZZ_CHECK(rows.size() == results.size() + 1);
    const nlohmann::json list = nlohmann::json::parse(FormatResultsJson(results), nullptr, false);
    FUZZ_CHECK(list.is_array() && list.size() == results.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        std::vector<std::string> expected(texts[i].begin(), texts[i].begin() + 5);
        expected.push_back("failed");
        expected.push_back(std::to_string(*results[i].installerResult));
        expected.push_back(results[i].log);
        FUZZ_CHECK(rows[i + 1] == expected);
        FUZZ_CHECK(list[i].at("installerResult") == *results[i].installerResult);
        FUZZ_CHECK(list[i].count("log") == (results[i].log.empty() ? 0u : 1u));
    }
}

void CheckTable(const std::vector<ListedDriver>& drivers) {
    const std::string table = FormatTextTable(drivers);
    FUZZ_CHECK(static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')) ==
               drivers.size() + 1);
    FUZZ_CHECK(std::none_of(table.begin(), table.end(), [](char c) {
        return c != '\n' && static_cast<unsigned char>(c) < 0x20;
    }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int count = input.ConsumeIntegralInRange<int>(0, kMaxDrivers);
    std::vector<ListedDriver> drivers;
    std::vector<std::vector<std::string>> texts;
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> fields;
        for (int field = 0; field < 5; ++field) {
            // A registry text ends at its first NUL, as a record's does.
            const std::string text = input.ConsumeRandomLengthString(kMaxTextLength);
            fields.push_back(text.substr(0, text.find('\0')));
        }
        const bool installed = input.ConsumeBool();
        // Version and date are any bytes too: the installer's texts, NULs included.
        const std::string version = input.ConsumeRandomLengthString(kMaxTextLength);
        const std::string installDate = input.ConsumeRandomLengthString(kMaxTextLength);
        drivers.push_back({DriverRecord(fields[0].c_str(), fields[1].c_str(), fields[2].c_str(),
                                        fields[3].c_str(), fields[4].c_str()),
                           installed,
                           version,
                           installDate,
                           {{version}, {installDate}, {}}});
        fields.push_back(version);
        fields.push_back(installDate);
        texts.push_back(fields);
    }
    CheckCsv(drivers, texts);
    CheckJson(drivers, texts);
    CheckDriverList(drivers, texts);
    CheckResults(drivers, texts);
    CheckTable(drivers);
    return 0;
}
