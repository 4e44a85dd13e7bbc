#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CsvReader.h"
#include "cmd/DriverResult.h"
#include "cmd/ListedDriver.h"

namespace {

// Texts that break naive writers, each used as every field of one driver.
const std::vector<std::string> kHostileTexts = {
    "plain",
    "",
    "say \"hi\"",
    "\"",
    "a,b",
    ",",
    "line\nbreak",
    "carriage\rreturn",
    "crlf\r\n",
    "tab\there",
    std::string("\x01\x1f\x7f", 3),
    " padded ",
    "M\xC3\xBCller \xE6\xB8\xAC\xE5\xAE\x9A",  // UTF-8: an umlaut, two CJK characters
};
// Bytes that are no UTF-8 at all: lone high bytes, a stray continuation, a cut-off sequence.
const std::vector<std::string> kNotUtf8Texts = {"\xFF", "a\x80z", "\xE2\x82", "\xC0\xAF"};

std::vector<ListedDriver> DriversOf(const std::vector<std::string>& texts) {
    std::vector<ListedDriver> drivers;
    bool installed = false;
    for (const std::string& text : texts) {
        const char* t = text.c_str();
        drivers.push_back(
            {DriverRecord(t, t, t, t, t), installed, text, text, {{text}, {text, text}, {}}});
        installed = !installed;
    }
    return drivers;
}

TEST(CsvFormat, HostileTextsReadBackUnchanged) {
    std::vector<std::string> texts = kHostileTexts;
    texts.insert(texts.end(), kNotUtf8Texts.begin(), kNotUtf8Texts.end());
    CsvRows rows;
    ASSERT_TRUE(ReadCsv(FormatCsv(DriversOf(texts)), rows)) << FormatCsv(DriversOf(texts));
    ASSERT_EQ(rows.size(), texts.size() + 1);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"ProductCode", "Name", "Class", "ADE", "Manufacturer",
                                        "Installed", "Version", "InstallDate", "SoftwareModules",
                                        "DriverSessions", "LogicalNames"}));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& t = texts[i];
        EXPECT_EQ(rows[i + 1], (std::vector<std::string>{t, t, t, t, t, i % 2 ? "yes" : "no", t, t,
                                                         t, t + ";" + t, ""}))
            << i;
    }
}

TEST(CsvFormat, NoDriversGiveTheHeaderAlone) {
    EXPECT_EQ(FormatCsv({}),
              "ProductCode,Name,Class,ADE,Manufacturer,Installed,Version,InstallDate,"
              "SoftwareModules,DriverSessions,LogicalNames\r\n");
}

TEST(JsonFormat, HostileTextsParseBackUnchanged) {
    const nlohmann::json list = nlohmann::json::parse(FormatJson(DriversOf(kHostileTexts)));
    ASSERT_TRUE(list.is_array());
    ASSERT_EQ(list.size(), kHostileTexts.size());
    for (std::size_t i = 0; i < kHostileTexts.size(); ++i) {
        const std::string& t = kHostileTexts[i];
        nlohmann::json expected = {{"installed", i % 2 == 1},
                                   {"softwareModules", {t}},
                                   {"driverSessions", {t, t}},
                                   {"logicalNames", nlohmann::json::array()}};
        for (const char* key :
             {"productCode", "name", "class", "ade", "manufacturer", "version", "installDate"}) {
            expected[key] = t;
        }
        EXPECT_EQ(list[i], expected) << i;
    }
}

TEST(JsonFormat, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    const std::string json = FormatJson(DriversOf(kNotUtf8Texts));
    nlohmann::json list;
    ASSERT_NO_THROW(list = nlohmann::json::parse(json)) << json;
    ASSERT_EQ(list.size(), kNotUtf8Texts.size());
    for (const nlohmann::json& driver : list) {
        EXPECT_NE(driver["name"].get<std::string>().find("\xEF\xBF\xBD"), std::string::npos);
    }
}

TEST(TextTable, VersionIsTheLastColumn) {
    const std::vector<ListedDriver> drivers = {
        {DriverRecord("{A}", "Alpha", "IviDmm", "C", "Acme"), true, "2.4.1", "2026-03-05", {}},
        {DriverRecord("{B}", "Beta", "IviScope", "C", "Acme"), false, "", "", {}}};
    EXPECT_EQ(FormatTextTable(drivers),
              "Product code  Name   Class     ADE  Manufacturer  Installed  Version\n"
              "{A}           Alpha  IviDmm    C    Acme          yes        2.4.1\n"
              "{B}           Beta   IviScope  C    Acme          no\n");
}

TEST(JsonFormat, NoDriversGiveAnEmptyArray) {
    EXPECT_EQ(nlohmann::json::parse(FormatJson({})), nlohmann::json::array());
}

TEST(ResultCsvFormat, HostileTextsReadBackUnchanged) {
    std::vector<std::string> texts = kHostileTexts;
    texts.insert(texts.end(), kNotUtf8Texts.begin(), kNotUtf8Texts.end());
    std::vector<DriverResult> results;
    for (const std::string& text : texts) {
        const char* t = text.c_str();
        results.push_back({DriverRecord(t, t, t, t, t), Outcome::kFailed, 1603, text});
    }
    CsvRows rows;
    ASSERT_TRUE(ReadCsv(FormatResultsCsv(results), rows));
    ASSERT_EQ(rows.size(), texts.size() + 1);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"ProductCode", "Name", "Class", "ADE", "Manufacturer",
                                        "Outcome", "InstallerResult", "Log"}));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& t = texts[i];
        // The empty text stands for no log, which leaves its cell empty all the same.
        EXPECT_EQ(rows[i + 1], (std::vector<std::string>{t, t, t, t, t, "failed", "1603", t})) << i;
    }
}

TEST(ResultJsonFormat, KeysOfAResultAndThoseLeftOutWhenItHasNoValue) {
    const DriverRecord a("{A}", "Alpha", "IviDmm", "C", "Acme");
    const nlohmann::json list =
        nlohmann::json::parse(FormatResultsJson({{a, Outcome::kFailed, 1603, "C:\\a.log"},
                                                 {a, Outcome::kWouldBeRemoved, std::nullopt, ""},
                                                 {a, Outcome::kRemoved, 0, ""}}));
    EXPECT_EQ(list[0], (nlohmann::json{{"productCode", "{A}"},
                                       {"name", "Alpha"},
                                       {"class", "IviDmm"},
                                       {"ade", "C"},
                                       {"manufacturer", "Acme"},
                                       {"outcome", "failed"},
                                       {"installerResult", 1603},
                                       {"log", "C:\\a.log"}}));
    EXPECT_EQ(list[1]["outcome"], "wouldBeRemoved");
    EXPECT_EQ(list[1].count("installerResult") + list[1].count("log"), 0u);
    // Success is an answer of the installer too.
    EXPECT_EQ(list[2]["installerResult"], 0);
    EXPECT_EQ(list[2].count("log"), 0u);
    EXPECT_EQ(FormatResultsJson({}), "[]\n");
}

}  // namespace
