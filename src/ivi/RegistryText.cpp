#include "ivi/RegistryText.h"

#include <cstdint>
#include <vector>

namespace {

// Longest value name and, generously, the longest path a text value here can hold.
constexpr std::uint32_t kNameCapacity = 16384;
constexpr std::uint32_t kDataCapacity = 65536;

bool SameName(const char* first, const std::string& second) {
    std::size_t i = 0;
    for (; first[i] != '\0' && i < second.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(first[i]) != lower(second[i])) return false;
    }
    return first[i] == '\0' && i == second.size();
}

}  // namespace

bool ReadRegistryText(RegistryReader& registry, const std::string& path, RegistryView view,
                      const std::string& name, std::string* text) {
    RegistryKey key = nullptr;
    if (registry.OpenKey(path.c_str(), view, &key) != kRegistrySuccess) return false;
    std::vector<char> valueName(kNameCapacity);
    std::vector<unsigned char> data(kDataCapacity);
    bool found = false;
    for (std::uint32_t index = 0; !found; ++index) {
        std::uint32_t nameLength = kNameCapacity;
        std::uint32_t dataSize = kDataCapacity;
        const long result =
            registry.EnumValue(key, index, valueName.data(), &nameLength, data.data(), &dataSize);
        if (result == kRegistryMoreData) continue;
        if (result != kRegistrySuccess) break;
        if (!SameName(valueName.data(), name)) continue;
        const auto* bytes = reinterpret_cast<const char*>(data.data());
        std::string value(bytes, dataSize < kDataCapacity ? dataSize : kDataCapacity);
        *text = value.substr(0, value.find('\0'));
        found = true;
    }
    registry.CloseKey(key);
    return found;
}
