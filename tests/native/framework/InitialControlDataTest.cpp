#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestDialog.h"
#include "framework/InitialControlData.h"

// Found by argument-dependent lookup, so they live beside the record type.
bool operator==(const InitialControlRecord& left, const InitialControlRecord& right) {
    return left.controlId == right.controlId && left.message == right.message &&
           left.data == right.data;
}

void PrintTo(const InitialControlRecord& record, std::ostream* out) {
    *out << "{" << record.controlId << ", 0x" << std::hex << record.message << std::dec << ", "
         << ::testing::PrintToString(record.data) << "}";
}

namespace {

using Bytes = std::vector<unsigned char>;

// One record in the resource layout: id, message, length, data.
Bytes Record(unsigned id, unsigned message, const std::string& data) {
    Bytes bytes = {static_cast<unsigned char>(id), static_cast<unsigned char>(id >> 8),
                   static_cast<unsigned char>(message), static_cast<unsigned char>(message >> 8)};
    const auto length = static_cast<unsigned>(data.size());
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<unsigned char>(length >> shift));
    }
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

const Bytes kEnd = {0, 0};

struct ParseCase {
    const char* name;
    Bytes bytes;
    std::vector<InitialControlRecord> expected;
};

TEST(InitialControlDataTest, ParsesRecordsUntilTheEndMarkerOrWhatNoLongerFits) {
    const std::string empty(1, '\0');
    const ParseCase cases[] = {
        {"the main window's two empty combo items",
         {0xEA, 0x03, 0x03, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0xEB,
          0x03, 0x03, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         {{1002, 0x0403, empty}, {1003, 0x0403, empty}}},
        {"nothing", {}, {}},
        {"only the end marker", kEnd, {}},
        {"records after the end marker are not read",
         Join({Record(5, 0x0403, "a"), kEnd, Record(6, 0x0403, "b")}),
         {{5, 0x0403, "a"}}},
        {"no end marker",
         Join({Record(5, 0x0401, "x"), Record(6, 0x0403, "yz")}),
         {{5, 0x0401, "x"}, {6, 0x0403, "yz"}}},
        {"a lone byte where the next id starts",
         Join({Record(5, 0x0403, "a"), Bytes{7}}),
         {{5, 0x0403, "a"}}},
        {"a header cut short",
         Join({Record(5, 0x0403, "a"), Bytes{7, 0, 3, 4, 1}}),
         {{5, 0x0403, "a"}}},
        {"data cut short",
         Join({Record(5, 0x0403, "a"), Bytes{7, 0, 3, 4, 10, 0, 0, 0, 'a', 'b', 'c'}}),
         {{5, 0x0403, "a"}}},
        {"a length near 4 GiB", Bytes{7, 0, 3, 4, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0, 0}, {}},
        {"an empty record", Join({Record(9, 0x0403, ""), kEnd}), {{9, 0x0403, ""}}},
        {"an unknown message is kept for the caller to skip",
         Join({Record(0xFFFF, 0x1234, "\x01\x02"), kEnd}),
         {{0xFFFF, 0x1234, "\x01\x02"}}},
    };
    for (const ParseCase& parse : cases) {
        SCOPED_TRACE(parse.name);
        EXPECT_EQ(ParseInitialControlData(parse.bytes), parse.expected);
    }
}

TEST(InitialControlDataTest, MapsTheResourceCodesToTheControlsMessages) {
    const struct {
        unsigned resourceMessage;
        unsigned expected;
    } cases[] = {
        {0x0401, kLbAddString},
        {0x0403, kCbAddString},
        {kLbAddString, kLbAddString},
        {kCbAddString, kCbAddString},
        {0x0402, 0},
        {0x1234, 0},
        {0, 0},
        {kLbResetContent, 0},
    };
    for (const auto& code : cases) {
        EXPECT_EQ(InitialControlMessage(code.resourceMessage), code.expected)
            << std::hex << code.resourceMessage;
    }
}

class AppliedInitialControlDataTest : public ::testing::Test {
protected:
    TestDialog& Run(Bytes data) {
        system.AddTemplate(kTestTemplate, TestTemplate(std::move(data)));
        EXPECT_TRUE(dialog.Create(kTestTemplate, nullptr));
        return dialog;
    }

    MemoryControl& Control(int id) { return *system.FindWindow(kTestTemplate)->Control(id); }

    MemoryWindowSystem system;
    TestDialog dialog{system};
};

TEST_F(AppliedInitialControlDataTest, AddsTheStringsBeforeTheControlsAreBound) {
    Run(Join({Record(kComboId, 0x0403, std::string(1, '\0')), Record(kComboId, 0x0403, "Beta"),
              Record(kListId, 0x0401, std::string("Alpha\0junk", 10)), kEnd}));

    EXPECT_EQ(Control(kComboId).Texts(), (std::vector<std::string>{"", "Beta"}));
    EXPECT_EQ(Control(kListId).Texts(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(dialog.comboCountAtBind, 2);
    EXPECT_EQ(dialog.listCountAtBind, 1);
}

TEST_F(AppliedInitialControlDataTest, SkipsUnknownMessagesAndMissingControls) {
    Run(Join({Record(kListId, 0x1234, "x"), Record(4242, 0x0403, "nowhere"),
              Record(kButtonId, 0x0403, "button"), Record(kComboId, 0x0403, "kept"), kEnd}));

    EXPECT_EQ(Control(kComboId).Texts(), std::vector<std::string>{"kept"});
    EXPECT_TRUE(Control(kListId).Texts().empty());
    EXPECT_EQ(Control(kListId).ReceivedCount(0x1234), 0);
}

TEST_F(AppliedInitialControlDataTest, AppliesWhatPrecedesMalformedData) {
    Run(Join({Record(kComboId, 0x0403, "first"), Bytes{0x12, 0x34, 0x03, 0x04, 0xFF}}));

    EXPECT_EQ(Control(kComboId).Texts(), std::vector<std::string>{"first"});
    EXPECT_EQ(dialog.calls, std::vector<std::string>({"DoDataExchange", "OnInitDialog"}));
}

}  // namespace
