#pragma once

#include <cstdint>

#include "catalog/RegistryReader.h"

// RegistryReader over advapi32, below HKEY_LOCAL_MACHINE, always in the 32-bit registry view.
class Win32Registry : public RegistryReader {
public:
    long OpenKey(const char* path, RegistryKey* key) override;
    long EnumValue(RegistryKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                   unsigned char* data, std::uint32_t* dataSize) override;
    void CloseKey(RegistryKey key) override;
};
