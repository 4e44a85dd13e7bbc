#include "framework/InitialControlData.h"

#include <cstddef>
#include <cstdint>

#include "framework/WindowTypes.h"

namespace {
constexpr unsigned kResourceLbAddString = 0x0401;
constexpr unsigned kResourceCbAddString = 0x0403;
constexpr std::size_t kHeaderSize = 8;

std::uint32_t ReadLittleEndian(const std::vector<unsigned char>& bytes, std::size_t offset,
                               std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}
}  // namespace

std::vector<InitialControlRecord> ParseInitialControlData(const std::vector<unsigned char>& bytes) {
    std::vector<InitialControlRecord> records;
    std::size_t offset = 0;
    while (bytes.size() - offset >= 2) {
        const auto id = ReadLittleEndian(bytes, offset, 2);
        if (id == 0) break;
        if (bytes.size() - offset < kHeaderSize) break;
        const auto message = ReadLittleEndian(bytes, offset + 2, 2);
        const auto length = ReadLittleEndian(bytes, offset + 4, 4);
        offset += kHeaderSize;
        if (length > bytes.size() - offset) break;

        const auto* begin = reinterpret_cast<const char*>(bytes.data() + offset);
        records.push_back({static_cast<int>(id), message, std::string(begin, length)});
        offset += length;
    }
    return records;
}

unsigned InitialControlMessage(unsigned resourceMessage) {
    switch (resourceMessage) {
        case kResourceLbAddString:
        case kLbAddString:
            return kLbAddString;
        case kResourceCbAddString:
        case kCbAddString:
            return kCbAddString;
        default:
            return 0;
    }
}
