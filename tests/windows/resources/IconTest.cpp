#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "ModuleResource.h"
#include "res/resource.h"

namespace {

#pragma pack(push, 2)
struct GroupIconHeader {
    std::uint16_t reserved;
    std::uint16_t type;
    std::uint16_t count;
};
struct GroupIconEntry {
    std::uint8_t width;
    std::uint8_t height;
    std::uint8_t colourCount;
    std::uint8_t reserved;
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t bytesInResource;
    std::uint16_t id;
};
#pragma pack(pop)

std::vector<GroupIconEntry> ReadGroup(const std::vector<unsigned char>& bytes) {
    GroupIconHeader header = {};
    if (bytes.size() < sizeof header) return {};
    std::memcpy(&header, bytes.data(), sizeof header);
    if (header.reserved != 0 || header.type != 1) return {};
    if (bytes.size() != sizeof header + header.count * sizeof(GroupIconEntry)) return {};
    std::vector<GroupIconEntry> entries(header.count);
    std::memcpy(entries.data(), bytes.data() + sizeof header,
                header.count * sizeof(GroupIconEntry));
    return entries;
}

struct ExpectedImage {
    int size;
};

const ExpectedImage kImages[] = {{32}, {16}};

TEST(IconTest, MainFrameHoldsA32And16PixelImageOf16Colours) {
    const auto entries = ReadGroup(LoadModuleResource(RT_GROUP_ICON, IDR_MAINFRAME));
    ASSERT_EQ(entries.size(), std::size(kImages));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const GroupIconEntry& entry = entries[i];
        const int size = kImages[i].size;
        SCOPED_TRACE(size);
        EXPECT_EQ(entry.width, size);
        EXPECT_EQ(entry.height, size);
        EXPECT_EQ(entry.colourCount, 16);
        EXPECT_EQ(entry.reserved, 0);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 4);

        const auto image = LoadModuleResource(RT_ICON, entry.id);
        ASSERT_EQ(image.size(), entry.bytesInResource);
        BITMAPINFOHEADER info = {};
        ASSERT_GE(image.size(), sizeof info);
        std::memcpy(&info, image.data(), sizeof info);
        EXPECT_EQ(info.biSize, sizeof info);
        EXPECT_EQ(info.biWidth, size);
        EXPECT_EQ(info.biHeight, 2 * size) << "colour bitmap and mask, one above the other";
        EXPECT_EQ(info.biPlanes, 1);
        EXPECT_EQ(info.biBitCount, 4);
        EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
        // Header, 16 palette entries, 4-bit rows and 1-bit mask rows, each row a multiple of
        // four bytes.
        const std::size_t colourRow = (size * 4 + 31) / 32 * 4;
        const std::size_t maskRow = (size + 31) / 32 * 4;
        EXPECT_EQ(image.size(), sizeof info + 16 * 4 + size * (colourRow + maskRow));

        HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                              static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                              size, size, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr);
        if (icon != nullptr) DestroyIcon(icon);
    }
}

TEST(IconTest, ImagesAreNotBlank) {
    const auto entries = ReadGroup(LoadModuleResource(RT_GROUP_ICON, IDR_MAINFRAME));
    ASSERT_FALSE(entries.empty());
    for (const GroupIconEntry& entry : entries) {
        SCOPED_TRACE(static_cast<int>(entry.width));
        const auto image = LoadModuleResource(RT_ICON, entry.id);
        const std::size_t bitsStart = sizeof(BITMAPINFOHEADER) + 16 * 4;
        ASSERT_GT(image.size(), bitsStart);
        std::vector<int> colourUse(16);
        const std::size_t colourBytes = entry.height * ((entry.width * 4 + 31) / 32 * 4);
        for (std::size_t i = bitsStart; i < bitsStart + colourBytes; ++i) {
            ++colourUse[image[i] >> 4];
            ++colourUse[image[i] & 0x0F];
        }
        int coloursUsed = 0;
        for (int count : colourUse) coloursUsed += count > 0 ? 1 : 0;
        EXPECT_GE(coloursUsed, 4);
    }
}

TEST(IconTest, LoadsAtTheSystemLargeIconSize) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXICON));
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

}  // namespace
