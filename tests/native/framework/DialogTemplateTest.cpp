#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/DialogTemplate.h"

namespace {

constexpr std::uint32_t kManagerStyle = 0x90CB00C0;

void Put(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t value,
         std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

std::vector<unsigned char> Regular(std::uint32_t style, int x, int y) {
    std::vector<unsigned char> bytes(18 + 6);  // the header and an empty menu, class and title
    Put(bytes, 0, style, 4);
    Put(bytes, 10, static_cast<std::uint16_t>(x), 2);
    Put(bytes, 12, static_cast<std::uint16_t>(y), 2);
    return bytes;
}

std::vector<unsigned char> Extended(std::uint32_t style, int x, int y) {
    std::vector<unsigned char> bytes(26 + 6);
    Put(bytes, 0, 1, 2);
    Put(bytes, 2, 0xFFFF, 2);
    Put(bytes, 8, 0x00040000, 4);  // extended style
    Put(bytes, 12, style, 4);
    Put(bytes, 16, 12, 2);  // control count
    Put(bytes, 18, static_cast<std::uint16_t>(x), 2);
    Put(bytes, 20, static_cast<std::uint16_t>(y), 2);
    Put(bytes, 22, 295, 2);
    Put(bytes, 24, 210, 2);
    return bytes;
}

TEST(DialogTemplateTest, ReadsStyleAndPositionOfBothTemplateForms) {
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        DialogTemplateHeader expected;
    } cases[] = {
        {"regular", Regular(0x80C800C0, 0, 0), {0x80C800C0, 0, 0, false}},
        {"regular, placed", Regular(0x80C800C0, 12, 300), {0x80C800C0, 12, 300, false}},
        {"extended", Extended(kManagerStyle, 0, 0), {kManagerStyle, 0, 0, true}},
        {"extended, negative position",
         Extended(kManagerStyle, -5, -32768),
         {kManagerStyle, -5, -32768, true}},
    };
    for (const auto& parse : cases) {
        SCOPED_TRACE(parse.name);
        const auto header = ReadDialogTemplateHeader(parse.bytes.data(), parse.bytes.size());
        ASSERT_TRUE(header.has_value());
        EXPECT_EQ(header->style, parse.expected.style);
        EXPECT_EQ(header->x, parse.expected.x);
        EXPECT_EQ(header->y, parse.expected.y);
        EXPECT_EQ(header->extended, parse.expected.extended);
    }
}

TEST(DialogTemplateTest, RefusesBytesTooShortForAHeader) {
    const auto regular = Regular(0, 0, 0);
    const auto extended = Extended(0, 0, 0);

    EXPECT_FALSE(ReadDialogTemplateHeader(nullptr, 100).has_value());
    EXPECT_FALSE(ReadDialogTemplateHeader(regular.data(), 17).has_value());
    EXPECT_TRUE(ReadDialogTemplateHeader(regular.data(), 18).has_value());
    EXPECT_FALSE(ReadDialogTemplateHeader(extended.data(), 25).has_value());
    EXPECT_TRUE(ReadDialogTemplateHeader(extended.data(), 26).has_value());
}

TEST(DialogTemplateTest, CentresOnlyAnUnownedPopupWithoutAPosition) {
    const struct {
        const char* name;
        DialogTemplateHeader header;
        bool owned;
        bool centres;
    } cases[] = {
        {"main window", {kManagerStyle, 0, 0, true}, false, true},
        {"owned", {kManagerStyle, 0, 0, true}, true, false},
        {"x given", {kManagerStyle, 1, 0, true}, false, false},
        {"y given", {kManagerStyle, 0, -1, true}, false, false},
        {"DS_CENTER", {kManagerStyle | 0x0800, 0, 0, true}, false, false},
        {"DS_CENTERMOUSE", {kManagerStyle | 0x1000, 0, 0, true}, false, false},
        {"DS_ABSALIGN", {kManagerStyle | 0x0001, 0, 0, true}, false, false},
        {"child", {0x50000000, 0, 0, false}, false, false},
    };
    for (const auto& placement : cases) {
        EXPECT_EQ(CentresOnWorkArea(placement.header, placement.owned), placement.centres)
            << placement.name;
    }
}

}  // namespace
