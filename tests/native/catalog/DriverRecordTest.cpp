#include "catalog/DriverRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>

#include "Printable.h"

namespace {

DriverRecord Record(const char* name, const char* ade, const char* code = "{P}",
                    const char* cls = "C", const char* manufacturer = "M") {
    return DriverRecord(code, name, cls, ade, manufacturer);
}

TEST(DriverRecord, KeepsEachTextInItsField) {
    DriverRecord record("{P}", "Name", "Class", "Ade", "Maker");
    EXPECT_STREQ(record.GetProductCode(), "{P}");
    EXPECT_STREQ(record.GetName(), "Name");
    EXPECT_STREQ(record.GetClass(), "Class");
    EXPECT_STREQ(record.GetAde(), "Ade");
    EXPECT_STREQ(record.GetManufacturer(), "Maker");
}

TEST(DriverRecord, EmptyAndNullTextsReadAsEmptyNeverNull) {
    DriverRecord record(nullptr, "", nullptr, "", nullptr);
    for (const char* text : {record.GetProductCode(), record.GetName(), record.GetClass(),
                             record.GetAde(), record.GetManufacturer()}) {
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text, "");
    }
}

TEST(DriverRecord, CopiesAreIndependent) {
    DriverRecord original("{P}", "N", "C", "A", "M");
    DriverRecord copy(original);
    DriverRecord assigned("{Q}", "x", "y", "z", "w");
    assigned = original;
    original = DriverRecord("{R}", "n", "c", "a", "m");
    EXPECT_STREQ(copy.GetProductCode(), "{P}");
    EXPECT_STREQ(copy.GetManufacturer(), "M");
    EXPECT_STREQ(assigned.GetName(), "N");
    EXPECT_STREQ(assigned.GetAde(), "A");
}

TEST(DriverRecord, MovesHandTheTextsOverWithoutCopying) {
    static_assert(std::is_nothrow_move_constructible_v<DriverRecord> &&
                  std::is_nothrow_move_assignable_v<DriverRecord>);
    const std::string longName(100, 'n');  // beyond any small-string buffer
    DriverRecord original("{P}", longName.c_str(), "C", "A", "M");
    const char* text = original.GetName();
    DriverRecord moved(std::move(original));
    EXPECT_EQ(moved.GetName(), text) << "the text itself moved";
    DriverRecord assigned("{Q}", "x", "y", "z", "w");
    assigned = std::move(moved);
    EXPECT_EQ(assigned.GetName(), text);
    EXPECT_STREQ(assigned.GetProductCode(), "{P}");
    EXPECT_STREQ(assigned.GetManufacturer(), "M");
}

TEST(DriverRecord, SelfAssignmentLeavesTheRecordUnchanged) {
    DriverRecord record("{P}", "N", "C", "A", "M");
    DriverRecord& same = record;
    record = same;
    EXPECT_STREQ(record.GetProductCode(), "{P}");
    EXPECT_STREQ(record.GetName(), "N");
    EXPECT_STREQ(record.GetManufacturer(), "M");
}

struct OrderCase {
    const char* smallerName;
    const char* smallerAde;
    const char* greaterName;
    const char* greaterAde;
};

void PrintTo(const OrderCase& c, std::ostream* out) {
    *out << Printable(c.smallerName) << '/' << Printable(c.smallerAde) << " before "
         << Printable(c.greaterName) << '/' << Printable(c.greaterAde);
}

class DriverRecordOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(DriverRecordOrder, FirstSortsBeforeSecondAndNotTheOtherWay) {
    const OrderCase& c = GetParam();
    DriverRecord first = Record(c.smallerName, c.smallerAde);
    DriverRecord second = Record(c.greaterName, c.greaterAde);
    EXPECT_TRUE(first < second);
    EXPECT_FALSE(second < first);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, DriverRecordOrder,
    testing::Values(OrderCase{"Ab", "x", "Abc", "x"},     // a prefix first
                    OrderCase{"A", "a", "B", "z"},        // Name decides before Ade
                    OrderCase{"Z", "x", "a", "x"},        // bytes, not letters
                    OrderCase{"z", "x", "\x80", "x"},     // high bytes after ASCII
                    OrderCase{"\x7F", "x", "\xFF", "x"},  // unsigned even where char is signed
                    OrderCase{"", "x", "A", "x"},         // empty Name first
                    OrderCase{"N", "B", "N", "A"},        // equal Names: Ade descending
                    OrderCase{"N", "AB", "N", "A"},       // the longer Ade first
                    OrderCase{"N", "\xE0", "N", "a"},     // high Ade byte is the greater
                    OrderCase{"N", "a", "N", ""}));       // empty Ade last

TEST(DriverRecord, OtherFieldsTakeNoPartInTheOrder) {
    DriverRecord one = Record("N", "A", "{1}", "C1", "M1");
    DriverRecord two = Record("N", "A", "{2}", "C2", "M2");
    EXPECT_FALSE(one < two);
    EXPECT_FALSE(two < one);
    EXPECT_FALSE(one < one);
}

}  // namespace
