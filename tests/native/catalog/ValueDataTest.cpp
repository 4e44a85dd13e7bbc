#include "catalog/ValueData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Printable.h"

namespace {

struct Fields {
    int count;
    std::string name, cls, ade, manufacturer;
};

Fields Parse(std::string text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    Fields fields{0, "-", "-", "-", "-"};
    fields.count =
        ParseValueData(buffer.data(), fields.name, fields.cls, fields.ade, fields.manufacturer);
    return fields;
}

struct SplitCase {
    const char* data;
    int count;
    const char* name;
    const char* cls;
    const char* ade;
    const char* manufacturer;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << "[" << Printable(c.data) << "]"; }

class ValueDataSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(ValueDataSplit, GivesTheFieldsInOrderAndKeepsUnfoundOutputs) {
    const SplitCase& expected = GetParam();
    Fields fields = Parse(expected.data);
    EXPECT_EQ(fields.count, expected.count);
    EXPECT_EQ(fields.name, expected.name);
    EXPECT_EQ(fields.cls, expected.cls);
    EXPECT_EQ(fields.ade, expected.ade);
    EXPECT_EQ(fields.manufacturer, expected.manufacturer);
}

// "-" is what each output held before the call.
INSTANTIATE_TEST_SUITE_P(
    Texts, ValueDataSplit,
    testing::Values(SplitCase{"N;C;A;M", 4, "N", "C", "A", "M"},
                    SplitCase{";;N;;C;A;;M;;", 4, "N", "C", "A", "M"},
                    SplitCase{"N;C;A;M;X;Y", 4, "N", "C", "A", "M"},
                    SplitCase{"N;C;A", 3, "N", "C", "A", "-"},
                    SplitCase{"N;C", 2, "N", "C", "-", "-"}, SplitCase{"N", 1, "N", "-", "-", "-"},
                    SplitCase{"", 0, "-", "-", "-", "-"}, SplitCase{";;;", 0, "-", "-", "-", "-"},
                    SplitCase{" N ;C C; A;M ", 4, " N ", "C C", " A", "M "},
                    SplitCase{"N,x;C\tc;\"A\";M\\", 4, "N,x", "C\tc", "\"A\"", "M\\"},
                    SplitCase{"\xC4\x80;\x81\x40;A;\xFF", 4, "\xC4\x80", "\x81\x40", "A", "\xFF"}));

TEST(ValueData, WritesNulOverTheSeparatorsThatEndTakenFields) {
    char data[] = "N;C;A;M;X";
    std::string name, cls, ade, manufacturer;
    ASSERT_EQ(ParseValueData(data, name, cls, ade, manufacturer), 4);
    EXPECT_EQ(data[1], '\0');
    EXPECT_EQ(data[3], '\0');
    EXPECT_EQ(data[5], '\0');
    EXPECT_EQ(data[7], '\0');
    EXPECT_EQ(data[8], 'X');
}

TEST(ValueData, KeepsNoStateBetweenCalls) {
    char first[] = "A1;B1;C1;D1";
    char second[] = "A2;B2;C2;D2";
    std::string name, cls, ade, manufacturer;
    ASSERT_EQ(ParseValueData(first, name, cls, ade, manufacturer), 4);
    ASSERT_EQ(ParseValueData(second, name, cls, ade, manufacturer), 4);
    EXPECT_EQ(name, "A2");
    EXPECT_EQ(manufacturer, "D2");
}

TEST(ValueData, NullDataHasNoFields) {
    std::string name = "kept", cls, ade, manufacturer;
    EXPECT_EQ(ParseValueData(nullptr, name, cls, ade, manufacturer), 0);
    EXPECT_EQ(name, "kept");
}

}  // namespace
