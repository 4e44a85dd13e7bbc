#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CatalogTesting.h"
#include "catalog/RegistryViews.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

std::vector<unsigned char> Bytes(const std::string& text) {
    return std::vector<unsigned char>(text.begin(), text.end());
}

// "N;C;A;" followed by a manufacturer that makes the data exactly `size` bytes, without a NUL.
std::vector<unsigned char> DataOfSize(std::size_t size, const std::string& name = "N") {
    std::string data = name + ";C;A;";
    data.resize(size, 'm');
    return Bytes(data);
}

using CatalogLoad = CatalogTest;

TEST_F(CatalogLoad, SkipsShortValuesAndOrdersByNameThenAdeDescending) {
    Add("{1}", "B;c1;a1;m1");
    Add("{2}", "A;c2;a2");
    Add("{3}", "A;c3;a3;m3");
    Add("{4}", "A;c4;b4;m4");
    EXPECT_EQ(m_catalog.Reload(), 3);
    EXPECT_THAT(Rows(), ElementsAre("A/b4/{4}", "A/a3/{3}", "B/a1/{1}"));
    EXPECT_STREQ(m_catalog.GetField(DriverField::Class, 0), "c4");
    EXPECT_STREQ(m_catalog.GetField(DriverField::Manufacturer, 0), "m4");
}

TEST_F(CatalogLoad, ReadsTheDriversKeyOnly) {
    EXPECT_STREQ(kDriversKeyPath, "SOFTWARE\\Velmora\\IVI\\Drivers");
    Add("{1}", "N;C;A;M");
    m_registry.AddText("SOFTWARE\\Velmora\\IVI", "{2}", "Other;C;A;M");
    EXPECT_EQ(m_catalog.Reload(), 1);
    EXPECT_STREQ(m_catalog.NameAt(0), "N");
}

TEST_F(CatalogLoad, TakesTheFirstFourOfFiveFields) {
    Add("{1}", "N;C;A;M;Fifth");
    ASSERT_EQ(m_catalog.Reload(), 1);
    EXPECT_STREQ(m_catalog.GetField(DriverField::Manufacturer, 0), "M");
}

TEST_F(CatalogLoad, KeyWithoutUsableValuesGivesAnEmptyCatalog) {
    m_registry.AddKey(kDriversKeyPath);
    EXPECT_EQ(m_catalog.Reload(), 0);
    Add("{1}", "");
    Add("{2}", ";;;");
    Add("{3}", "N;C;A");
    m_registry.AddBytes(kDriversKeyPath, "{4}", {});
    EXPECT_EQ(m_catalog.Reload(), 0);
    EXPECT_EQ(m_registry.OpenKeys(), 0);
}

TEST_F(CatalogLoad, AnEmptyValueNameBecomesAnEmptyProductCode) {
    Add("", "N;C;A;M");
    ASSERT_EQ(m_catalog.Reload(), 1);
    EXPECT_STREQ(m_catalog.GetField(DriverField::ProductCode, 0), "");
}

TEST_F(CatalogLoad, GrowsPastTheReservedCapacity) {
    for (int i = 0; i < 45; ++i)
        Add("{" + std::to_string(i) + "}", "N" + std::to_string(i) + ";C;A;M");
    EXPECT_EQ(m_catalog.Reload(), 45);
    EXPECT_STREQ(m_catalog.NameAt(44), "N9");
}

// Values that do not fit the 256-character name or 256-byte data buffers are skipped; those
// that just fit are read; and the values after a skipped one are still read.
struct FitCase {
    const char* what;
    std::string name;
    std::vector<unsigned char> data;
    bool loaded;
};

void PrintTo(const FitCase& c, std::ostream* out) { *out << c.what; }

class CatalogLoadFit : public CatalogTest, public testing::WithParamInterface<FitCase> {};

TEST_P(CatalogLoadFit, ReadsWhatFitsAndGoesOnAfterWhatDoesNot) {
    const FitCase& c = GetParam();
    Add("{before}", "Before;C;A;M");
    m_registry.AddBytes(kDriversKeyPath, c.name, c.data);
    Add("{after}", "After;C;A;M");
    EXPECT_EQ(m_catalog.Reload(), c.loaded ? 3 : 2) << c.what;
    EXPECT_EQ(m_catalog.FindIndex(DriverField::Name, "Before", 0), 1) << c.what;
    EXPECT_EQ(m_catalog.FindIndex(DriverField::Name, "After", 0), 0) << c.what;
    EXPECT_EQ(m_registry.OpenKeys(), 0);
}

std::vector<unsigned char> Terminated(std::vector<unsigned char> bytes) {
    bytes.push_back(0);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CatalogLoadFit,
    testing::Values(FitCase{"name of 255", std::string(255, 'x'), Bytes("X;C;A;M"), true},
                    FitCase{"name of 256", std::string(256, 'x'), Bytes("X;C;A;M"), false},
                    FitCase{"name of 300", std::string(300, 'x'), Bytes("X;C;A;M"), false},
                    FitCase{"255 bytes and NUL", "{x}", Terminated(DataOfSize(255, "X")), true},
                    FitCase{"256 bytes, no NUL", "{x}", DataOfSize(256, "X"), true},
                    FitCase{"256 bytes and NUL", "{x}", Terminated(DataOfSize(256, "X")), false},
                    FitCase{"300 bytes", "{x}", DataOfSize(300, "X"), false}));

TEST_F(CatalogLoad, DataOfExactly256BytesWithoutNulIsReadToItsLastByte) {
    m_registry.AddBytes(kDriversKeyPath, "{full}", DataOfSize(256));
    ASSERT_EQ(m_catalog.Reload(), 1);
    EXPECT_EQ(std::strlen(m_catalog.GetField(DriverField::Manufacturer, 0)), 256u - 6u);
}

TEST_F(CatalogLoad, UnterminatedDataEndsAtTheBytesReturned) {
    // The first value leaves a longer text in the data buffer; the second must not pick up its
    // tail.
    Add("{long}", "Long;Class;Ade;Manufacturer with a long tail");
    m_registry.AddBytes(kDriversKeyPath, "{short}", Bytes("S;C;A;M"));
    ASSERT_EQ(m_catalog.Reload(), 2);
    EXPECT_STREQ(m_catalog.GetField(DriverField::Manufacturer, 1), "M");
}

TEST_F(CatalogLoad, BinaryDataIsReadAsTextUpToItsFirstNul) {
    std::vector<unsigned char> data = Bytes("Bin;C;A;M");
    data.insert(data.end(), {0, 'x', ';', 'y', 0xFF, 0x01});
    m_registry.AddBytes(kDriversKeyPath, "{bin}", data);
    ASSERT_EQ(m_catalog.Reload(), 1);
    EXPECT_STREQ(m_catalog.GetField(DriverField::Manufacturer, 0), "M");
}

TEST_F(CatalogLoad, GoesOnAfterSeveralValuesThatDoNotFit) {
    Add("{a}", "A;C;A;M");
    for (int i = 0; i < 3; ++i) m_registry.AddBytes(kDriversKeyPath, "{big}", DataOfSize(400));
    Add("{z}", "Z;C;A;M");
    m_registry.FailEnumAt(kDriversKeyPath, 5, kRegistryMoreData);
    Add("{y}", "Y;C;A;M");
    Add("{x}", "X;C;A;M");
    EXPECT_EQ(m_catalog.Reload(), 3);
    EXPECT_THAT(Rows(), ElementsAre("A/A/{a}", "X/A/{x}", "Z/A/{z}"));
}

TEST_F(CatalogLoad, AnyOtherEnumerationErrorEndsTheLoadKeepingWhatWasRead) {
    Add("{b}", "B;C;A;M");
    Add("{a}", "A;C;A;M");
    Add("{c}", "C;C;A;M");
    m_registry.FailEnumAt(kDriversKeyPath, 2, kRegistryAccessDenied);
    EXPECT_EQ(m_catalog.Reload(), 2);
    EXPECT_THAT(Rows(), ElementsAre("A/A/{a}", "B/A/{b}"));
    EXPECT_EQ(m_registry.OpenKeys(), 0);
}

TEST_F(CatalogLoad, MissingOrRefusedKeyIsInvalidRootAndEmptiesTheCatalog) {
    Add("{1}", "N;C;A;M");
    ASSERT_EQ(m_catalog.Reload(), 1);
    m_registry.RemoveKey(kDriversKeyPath);
    EXPECT_EQ(ErrorOf([&] { m_catalog.Reload(); }), "Invalid root key");
    EXPECT_EQ(m_catalog.Count(), 0);

    Add("{1}", "N;C;A;M");
    ASSERT_EQ(m_catalog.Reload(), 1);
    m_registry.RefuseOpen(kDriversKeyPath);
    EXPECT_EQ(ErrorOf([&] { m_catalog.Reload(); }), "Invalid root key");
    EXPECT_EQ(m_catalog.Count(), 0);
    EXPECT_EQ(m_registry.OpenKeys(), 0);
}

TEST_F(CatalogLoad, ReloadReadsTheKeyAfreshEachTime) {
    Add("{1}", "N;C;A;M");
    ASSERT_EQ(m_catalog.Reload(), 1);
    EXPECT_EQ(m_catalog.Reload(), 1);
    Add("{2}", "M;C;A;M");
    EXPECT_EQ(m_catalog.Reload(), 2);
    EXPECT_EQ(m_registry.OpenCalls(), 3);
    EXPECT_EQ(m_registry.OpenCalls(RegistryView::Bits64), 3);
    EXPECT_EQ(m_registry.OpenKeys(), 0);
}

// Both registry views are read; a product code is listed once, from the 32-bit view when that
// view gives it a record.
struct ViewCase {
    const char* what;
    std::function<void(FakeRegistry&)> arrange;
    std::vector<std::string> rows;  // empty: "Invalid root key"
};

void PrintTo(const ViewCase& c, std::ostream* out) { *out << c.what; }

class CatalogLoadViews : public CatalogTest, public testing::WithParamInterface<ViewCase> {};

TEST_P(CatalogLoadViews, ListsEveryProductOnce) {
    const ViewCase& c = GetParam();
    c.arrange(m_registry);
    if (c.rows.empty()) {
        EXPECT_EQ(ErrorOf([&] { m_catalog.Reload(); }), "Invalid root key");
    } else {
        EXPECT_EQ(m_catalog.Reload(), static_cast<int>(c.rows.size()));
        EXPECT_EQ(Rows(), c.rows);
        // Refresh reads the same again.
        EXPECT_EQ(m_catalog.Reload(), static_cast<int>(c.rows.size()));
    }
    EXPECT_EQ(m_registry.OpenKeys(), 0);
}

constexpr RegistryView k64 = RegistryView::Bits64;

INSTANTIATE_TEST_SUITE_P(
    Views, CatalogLoadViews,
    testing::Values(ViewCase{"disjoint, sorted together",
                             [](FakeRegistry& r) {
                                 r.AddText(kDriversKeyPath, "{b}", "B;C;A;M");
                                 r.AddText(kDriversKeyPath, "{c}", "C;C;A;M", k64);
                                 r.AddText(kDriversKeyPath, "{a}", "A;C;A;M", k64);
                             },
                             {"A/A/{a}", "B/A/{b}", "C/A/{c}"}},
                    ViewCase{"one key seen in both views",
                             [](FakeRegistry& r) {
                                 for (RegistryView view : {RegistryView::Bits32, k64}) {
                                     r.AddText(kDriversKeyPath, "{a}", "A;C;A;M", view);
                                     r.AddText(kDriversKeyPath, "{b}", "B;C;A;M", view);
                                 }
                             },
                             {"A/A/{a}", "B/A/{b}"}},
                    ViewCase{"different data: the 32-bit view's",
                             [](FakeRegistry& r) {
                                 r.AddText(kDriversKeyPath, "{a}", "Old;C;A32;M");
                                 r.AddText(kDriversKeyPath, "{a}", "New;C;A64;M", k64);
                             },
                             {"Old/A32/{a}"}},
                    ViewCase{
                        "64-bit view only",
                        [](FakeRegistry& r) { r.AddText(kDriversKeyPath, "{a}", "A;C;A;M", k64); },
                        {"A/A/{a}"}},
                    ViewCase{"64-bit view refused",
                             [](FakeRegistry& r) {
                                 r.AddText(kDriversKeyPath, "{a}", "A;C;A;M");
                                 r.RefuseOpen(kDriversKeyPath, kRegistryAccessDenied, k64);
                             },
                             {"A/A/{a}"}},
                    ViewCase{"neither view", [](FakeRegistry&) {}, {}},
                    ViewCase{"too long in the 32-bit view only",
                             [](FakeRegistry& r) {
                                 r.AddBytes(kDriversKeyPath, "{a}", DataOfSize(300, "Long"));
                                 r.AddText(kDriversKeyPath, "{a}", "Fits;C;A;M", k64);
                                 r.AddText(kDriversKeyPath, "{b}", "B;C;A;M", k64);
                             },
                             {"B/A/{b}", "Fits/A/{a}"}}));

// Whether the 64-bit view is read at all: on every 64-bit system, the x86 build emulated on
// ARM64 included, whose IsWow64Process answers false.
TEST(RegistryViews, SeparateOnEvery64BitSystem) {
    struct Case {
        const char* what;
        ProcessMachine machine;
        bool separate;
    };
    const Case cases[] = {
        {"x64 build", {true, false, 0, false}, true},
        {"x64 build, native machine known", {true, true, 0x8664, false}, true},
        {"x86 build on x64", {false, true, 0x8664, true}, true},
        {"x86 build on ARM64", {false, true, 0xAA64, false}, true},
        {"x86 build on 32-bit Windows 10", {false, true, 0x014C, false}, false},
        {"x86 build on 32-bit ARM", {false, true, 0x01C4, false}, false},
        {"x86 build on x64 before IsWow64Process2", {false, false, 0, true}, true},
        {"x86 build on 32-bit Vista", {false, false, 0, false}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(HasSeparate64BitView(c.machine), c.separate) << c.what;
}

TEST(CatalogConstruction, ReadsNothingUntilReloadAndStartsEmpty) {
    FakeRegistry registry;
    FakeInstaller installer;
    DriverCatalog catalog(registry, installer, "Some\\Key", 0);
    EXPECT_EQ(catalog.Count(), 0);
    EXPECT_EQ(registry.OpenCalls(), 0);
    EXPECT_EQ(ErrorOf([&] { catalog.Reload(); }), "Invalid root key");
    registry.AddText("Some\\Key", "{1}", "N;C;A;M");
    EXPECT_EQ(catalog.Reload(), 1);
}

// A reader that breaks the contract: claims more bytes than the buffers hold and leaves the
// name unterminated. The catalog must stay inside its buffers all the same.
class OverreportingRegistry : public RegistryReader {
public:
    long OpenKey(const char*, RegistryView, RegistryKey* key) override {
        *key = this;
        return kRegistrySuccess;
    }
    long EnumValue(RegistryKey, std::uint32_t index, char* name, std::uint32_t* nameLength,
                   unsigned char* data, std::uint32_t* dataSize) override {
        if (index > 0) return kRegistryNoMoreItems;
        std::memset(name, 'n', *nameLength);
        std::string text = "N;C;A;";
        std::memcpy(data, text.data(), text.size());
        std::memset(data + text.size(), 'm', *dataSize - text.size());
        *nameLength += 100;
        *dataSize += 100;
        return kRegistrySuccess;
    }
    void CloseKey(RegistryKey) override {}
    long DeleteValue(const char*, RegistryView, const char*) override {
        return kRegistryFileNotFound;
    }
};

TEST(CatalogLoadBounds, StaysInsideItsBuffersWhateverTheReaderReports) {
    OverreportingRegistry registry;
    FakeInstaller installer;
    DriverCatalog catalog(registry, installer, kDriversKeyPath, 20);
    ASSERT_EQ(catalog.Reload(), 1);
    EXPECT_EQ(std::strlen(catalog.GetField(DriverField::ProductCode, 0)), 255u);
    EXPECT_EQ(std::strlen(catalog.GetField(DriverField::Manufacturer, 0)), 256u - 6u);
}

}  // namespace
