#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "CatalogTesting.h"

using testing::ElementsAre;

namespace {

DriverField Field(int value) { return static_cast<DriverField>(value); }

// Four drivers; in catalog order:
// 0 Alpha/LabVIEW {a2}, 1 Alpha/CVI {a1}, 2 Beta/LabVIEW {b}, 3 Gamma/C# {g}.
class CatalogQuery : public CatalogTest {
protected:
    void SetUp() override {
        Add("{g}", "Gamma;Scope;C#;Acme");
        Add("{a1}", "Alpha;DMM;CVI;Velmora");
        Add("{b}", "Beta;DMM;LabVIEW;Acme");
        Add("{a2}", "Alpha;Scope;LabVIEW;Velmora");
        ASSERT_EQ(m_catalog.Reload(), 4);
    }
};

TEST_F(CatalogQuery, GetFieldReturnsEachFieldOfTheRecord) {
    EXPECT_STREQ(m_catalog.GetField(DriverField::ProductCode, 2), "{b}");
    EXPECT_STREQ(m_catalog.GetField(DriverField::Name, 2), "Beta");
    EXPECT_STREQ(m_catalog.GetField(DriverField::Class, 2), "DMM");
    EXPECT_STREQ(m_catalog.GetField(DriverField::Ade, 2), "LabVIEW");
    EXPECT_STREQ(m_catalog.GetField(DriverField::Manufacturer, 2), "Acme");
}

TEST_F(CatalogQuery, NameAtAndGetFieldNameAgreeForEveryIndex) {
    for (int i = 0; i < m_catalog.Count(); ++i) {
        EXPECT_EQ(m_catalog.NameAt(i), m_catalog.GetField(DriverField::Name, i)) << i;
    }
}

TEST_F(CatalogQuery, IndexIsCheckedBeforeTheField) {
    for (int index : {-1, 4, 5, INT_MIN, INT_MAX}) {
        EXPECT_EQ(ErrorOf([&] { m_catalog.GetField(DriverField::Name, index); }), "Invalid index")
            << index;
        EXPECT_EQ(ErrorOf([&] { m_catalog.GetField(Field(7), index); }), "Invalid index") << index;
        EXPECT_EQ(ErrorOf([&] { m_catalog.NameAt(index); }), "Invalid index") << index;
    }
}

TEST_F(CatalogQuery, FieldsOutsideZeroToFourAreUnknown) {
    for (int field : {5, -1, 7, INT_MIN, INT_MAX}) {
        EXPECT_EQ(ErrorOf([&] { m_catalog.GetField(Field(field), 0); }), "Unknown field") << field;
    }
}

TEST_F(CatalogQuery, TextsStayPutWhileTheCatalogIsNotChanged) {
    const char* name = m_catalog.GetField(DriverField::Name, 3);
    const char* code = m_catalog.GetField(DriverField::ProductCode, 3);
    m_catalog.Count();
    m_catalog.NameAt(0);
    m_catalog.FindIndex(DriverField::Class, "Scope", 0);
    m_catalog.Uninstall(3);
    EXPECT_EQ(m_catalog.GetField(DriverField::Name, 3), name);
    EXPECT_EQ(m_catalog.GetField(DriverField::ProductCode, 3), code);
    EXPECT_STREQ(name, "Gamma");
}

struct FindCase {
    DriverField field;
    const char* text;
    int start;
    int found;
};

void PrintTo(const FindCase& c, std::ostream* out) {
    *out << "field " << static_cast<int>(c.field) << " [" << c.text << "] from " << c.start;
}

class CatalogFind : public CatalogQuery, public testing::WithParamInterface<FindCase> {};

TEST_P(CatalogFind, ReturnsTheFirstExactMatchFromStart) {
    const FindCase& c = GetParam();
    EXPECT_EQ(m_catalog.FindIndex(c.field, c.text, c.start), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogFind,
    testing::Values(FindCase{DriverField::Name, "Alpha", 0, 0},    // at the start
                    FindCase{DriverField::Name, "Alpha", 1, 1},    // at a later start
                    FindCase{DriverField::Name, "Beta", 0, 2},     // in the middle
                    FindCase{DriverField::Name, "Gamma", 0, 3},    // only the last
                    FindCase{DriverField::Name, "Alpha", 2, -1},   // only before start
                    FindCase{DriverField::Name, "Delta", 0, -1},   // nowhere
                    FindCase{DriverField::Name, "alpha", 0, -1},   // case matters
                    FindCase{DriverField::Name, "Alpha ", 0, -1},  // trailing space
                    FindCase{DriverField::Name, "Alph", 0, -1},    // prefix
                    FindCase{DriverField::Name, "", 0, -1},        // empty text
                    FindCase{DriverField::Class, "DMM", 0, 1},     // other fields
                    FindCase{DriverField::Ade, "C#", 0, 3},
                    FindCase{DriverField::Manufacturer, "Acme", 3, 3},
                    FindCase{DriverField::ProductCode, "{a2}", 0, 0}));

TEST_F(CatalogQuery, FindIndexComparesTheWholeTextEvenPastANul) {
    EXPECT_EQ(m_catalog.FindIndex(DriverField::Name, std::string("Beta\0x", 6), 0), -1);
}

TEST_F(CatalogQuery, FindIndexChecksStartThenField) {
    EXPECT_EQ(ErrorOf([&] { m_catalog.FindIndex(DriverField::Name, "Alpha", 4); }),
              "Invalid index");
    EXPECT_EQ(ErrorOf([&] { m_catalog.FindIndex(DriverField::Name, "Alpha", -1); }),
              "Invalid index");
    EXPECT_EQ(ErrorOf([&] { m_catalog.FindIndex(Field(9), "Alpha", 4); }), "Invalid index");
    EXPECT_EQ(ErrorOf([&] { m_catalog.FindIndex(Field(9), "Alpha", 3); }), "Unknown field");
    EXPECT_EQ(ErrorOf([&] { m_catalog.FindIndex(Field(-1), "Nowhere", 0); }), "Unknown field");
}

TEST_F(CatalogQuery, FilterKeepsMatchingRecordsInOrder) {
    EXPECT_EQ(m_catalog.Filter(DriverField::Ade, "LabVIEW"), 2);
    EXPECT_THAT(Rows(), ElementsAre("Alpha/LabVIEW/{a2}", "Beta/LabVIEW/{b}"));
    EXPECT_EQ(m_catalog.Filter(DriverField::Manufacturer, "Acme"), 1);
    EXPECT_THAT(Rows(), ElementsAre("Beta/LabVIEW/{b}"));
}

TEST_F(CatalogQuery, FilterWithEmptyTextKeepsEverythingWhateverTheField) {
    EXPECT_EQ(m_catalog.Filter(Field(7), ""), 4);
    EXPECT_EQ(m_catalog.Filter(DriverField::Class, ""), 4);
    EXPECT_EQ(m_catalog.Count(), 4);
}

TEST_F(CatalogQuery, FilterMatchesExactly) {
    EXPECT_EQ(m_catalog.Filter(DriverField::Class, "dmm"), 0);
    EXPECT_EQ(m_catalog.Count(), 0);
}

TEST_F(CatalogQuery, FilterOnUnknownFieldRemovesNothing) {
    EXPECT_EQ(ErrorOf([&] { m_catalog.Filter(Field(5), "DMM"); }), "Unknown field");
    EXPECT_EQ(ErrorOf([&] { m_catalog.Filter(Field(-3), "DMM"); }), "Unknown field");
    EXPECT_EQ(m_catalog.Count(), 4);
}

TEST_F(CatalogQuery, ReloadBringsBackWhatAFilterRemoved) {
    ASSERT_EQ(m_catalog.Filter(DriverField::Name, "Nobody"), 0);
    EXPECT_EQ(m_catalog.Reload(), 4);
}

using EmptyCatalog = CatalogTest;

TEST_F(EmptyCatalog, EveryIndexIsInvalidAndFilterGivesZero) {
    EXPECT_EQ(m_catalog.Count(), 0);
    EXPECT_EQ(ErrorOf([&] { m_catalog.GetField(DriverField::Name, 0); }), "Invalid index");
    EXPECT_EQ(ErrorOf([&] { m_catalog.GetField(Field(5), 0); }), "Invalid index");
    EXPECT_EQ(ErrorOf([&] { m_catalog.NameAt(0); }), "Invalid index");
    EXPECT_EQ(ErrorOf([&] { m_catalog.FindIndex(DriverField::Name, "x", 0); }), "Invalid index");
    EXPECT_EQ(m_catalog.Filter(Field(7), "x"), 0);
}

}  // namespace
