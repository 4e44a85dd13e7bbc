#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ModuleResource.h"
#include "res/resource.h"

namespace {

constexpr int kInitialControlDataType = 240;

TEST(InitialControlDataTest, AddsOneEmptyItemToTheClassThenTheManufacturerFilter) {
    // Two unaligned records (id, CB_ADDSTRING as 0x0403, 32-bit length 1, the byte 0) and the
    // zero id that ends them.
    const std::vector<unsigned char> expected = {
        0xEA, 0x03, 0x03, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00,  // 1002
        0xEB, 0x03, 0x03, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00,  // 1003
        0x00, 0x00,
    };
    EXPECT_EQ(LoadModuleResource(MAKEINTRESOURCEA(kInitialControlDataType), IDD_MANAGER), expected);
}

TEST(InitialControlDataTest, ProgressWindowHasNone) {
    EXPECT_TRUE(
        LoadModuleResource(MAKEINTRESOURCEA(kInitialControlDataType), IDD_PROGRESS).empty());
}

}  // namespace
