#include "framework/DialogTemplate.h"

#include "framework/WindowTypes.h"

namespace {
constexpr std::size_t kRegularHeaderSize = 18;
constexpr std::size_t kExtendedHeaderSize = 26;
constexpr std::uint32_t kExtendedSignature = 0xFFFF0001u;

std::uint32_t ReadUnsigned(const unsigned char* bytes, std::size_t offset, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

int ReadShort(const unsigned char* bytes, std::size_t offset) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(ReadUnsigned(bytes, offset, 2)));
}
}  // namespace

std::optional<DialogTemplateHeader> ReadDialogTemplateHeader(const unsigned char* bytes,
                                                             std::size_t size) {
    if (!bytes || size < kRegularHeaderSize) return std::nullopt;
    // Version 1 and signature 0xFFFF mark an extended template, as the platform reads them.
    if (ReadUnsigned(bytes, 0, 4) == kExtendedSignature) {
        if (size < kExtendedHeaderSize) return std::nullopt;
        return DialogTemplateHeader{ReadUnsigned(bytes, 12, 4), ReadShort(bytes, 18),
                                    ReadShort(bytes, 20), true};
    }
    return DialogTemplateHeader{ReadUnsigned(bytes, 0, 4), ReadShort(bytes, 10),
                                ReadShort(bytes, 12), false};
}

bool CentresOnWorkArea(const DialogTemplateHeader& header, bool owned) {
    if (owned || header.x != 0 || header.y != 0) return false;
    return (header.style & (kWsChild | kDsAbsAlign | kDsCenter | kDsCenterMouse)) == 0;
}
