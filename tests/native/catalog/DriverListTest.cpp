#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/DriverList.h"
#include "catalog/DriverRecord.h"
#include "catalog/NamePattern.h"

namespace {

struct PatternCase {
    const char* name;
    const char* text;
    const char* pattern;
    bool matches;
};

const PatternCase kPatternCases[] = {
    {"WholeNameOnly", "Agilent 34401", "Agilent", false},
    {"StarMatchesNothing", "Agilent", "Agilent*", true},
    {"StarNeedsTheRest", "Agilent 34401A DMX", "Agilent*DMM", false},
    {"StarRetriesLater", "ab-ab-abc", "*ab?", true},
    {"QuestionIsNotNone", "Ki4401", "Ki?4401", false},
    {"QuestionIsAWholeUtf8Character", "M\xC3\xBCller", "M?ller", true},
    {"LetterCase", "keysight dmm", "KEYSIGHT*", true},
    {"LetterCaseBeyondAscii", "\xC3\xA4rger \xD0\xB4\xC5\x82", "\xC3\x84RGER \xD0\x94\xC5\x81",
     true},
    {"SharpSIsNotSs", "Stra\xC3\x9F\x65", "STRASSE", false},
    {"OnlyStars", "", "**", true},
    {"EmptyPatternNamedDriver", "x", "", false},
    {"BytesThatAreNotUtf8MatchThemselves", "a\xFFz", "a\xFF?", true},
    {"AStrayByteIsNoLetter", "a\xE4", "a\xC3\x84", false},
    {"ManyStarsStayFast", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
     "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", false},
};

class NamePattern : public testing::TestWithParam<PatternCase> {};

TEST_P(NamePattern, MatchesTheWholeNameAsWindowsComparesFileNames) {
    EXPECT_EQ(MatchesNamePattern(GetParam().text, GetParam().pattern), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Cases, NamePattern, testing::ValuesIn(kPatternCases),
                         [](const testing::TestParamInfo<PatternCase>& c) { return c.param.name; });

// The drivers every list case selects from; the result names the ones selected.
const std::vector<DriverRecord> kDrivers = {
    DriverRecord("{A1}", "Acme 34401 DMM", "IviDmm", "C", "Acme"),
    DriverRecord("{A2}", "Acme 34401 DMM", "IviDmm", "LabVIEW", "Acme"),
    DriverRecord("{B1}", "Beta Scope", "IviScope", "C", "Beta, Inc."),
    DriverRecord("{C1}", "Gamma \"Q\" Source", "IviDCPwr", "C", "Gamma"),
};

std::string Selected(const DriverList& list) {
    std::string codes;
    for (const DriverRecord& driver : kDrivers) {
        if (ListSelects(list, driver)) codes += driver.GetProductCode();
    }
    return codes;
}

struct ListCase {
    const char* name;
    std::string text;
    // The product codes selected, or for a file that is no driver list "line N".
    std::string expected;
};

const char kHeader[] = "ProductCode,Name,Class,ADE,Manufacturer,Installed,Version,InstallDate\r\n";

const ListCase kListCases[] = {
    {"AsListWritesIt",
     std::string(kHeader) + "{a1},Acme 34401 DMM,IviDmm,C,Acme,yes,1.0,2026-01-02\r\n" +
         "{B1},Beta Scope,IviScope,C,\"Beta, Inc.\",no,,\r\n",
     "{A1}{B1}"},
    {"ByteOrderMarkLineFeedsNoLastEnding", "\xEF\xBB\xBFProductCode,Name\n{C1},", "{C1}"},
    {"ColumnsInAnyOrderBlankCodeAnyRelease", "Note,ade,Name\r\nkeep,LabVIEW,Acme*\r\n", "{A2}"},
    {"QuotedQuoteInAName", "Name\r\n\"Gamma \"\"Q\"\" Source\"\r\n", "{C1}"},
    {"ClassComparesExactly", "Class\r\nividmm\r\n", ""},
    {"AnyRowSelectsEmptyLinesSkipped", "Manufacturer,Name\r\nGamma,\r\n\r\n,Beta*\r\n", "{B1}{C1}"},
    {"HeaderAlone", kHeader, ""},
    {"OnlyAByteOrderMark", "\xEF\xBB\xBF", "line 1"},
    {"NoneOfTheFiveColumns", "Code,Title\r\n{A1},x\r\n", "line 1"},
    {"AColumnTwice", "Name,Class,NAME\r\nx,y,z\r\n", "line 1"},
    {"RowOfEmptyCells", "ProductCode,Name,Note\r\n{A1},,\r\n,,anything\r\n", "line 3"},
    {"RowTooShort", "Name,Class\r\nBeta Scope,IviScope\r\nx\r\n", "line 3"},
    {"QuoteInsideAField", "Name\r\nBeta \"Scope\"\r\n", "line 2"},
    {"LineCountedPastAQuotedLineBreak", "Name,Class\r\n\"a\r\nb\",c\r\nd\r\n", "line 4"},
    {"NotUtf8", "Name\r\nBeta\r\nM\xFCller\r\n", "line 3"},
    {"Utf16", std::string("\xFF\xFEN\0a\0m\0e\0", 10), "line 1"},
};

class DriverListRead : public testing::TestWithParam<ListCase> {};

TEST_P(DriverListRead, SelectsWhatItsRowsSelectOrNamesTheLineAtFault) {
    DriverList list;
    DriverListProblem problem;
    const bool read = ReadDriverList(GetParam().text, list, problem);
    const std::string result = read ? Selected(list) : "line " + std::to_string(problem.line);
    EXPECT_EQ(result, GetParam().expected) << problem.what;
    if (!read) {
        EXPECT_FALSE(problem.what.empty());
        EXPECT_TRUE(list.rows.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DriverListRead, testing::ValuesIn(kListCases),
                         [](const testing::TestParamInfo<ListCase>& c) { return c.param.name; });

}  // namespace
