#pragma once

#include <cstdint>

#include "catalog/RegistryReader.h"

// RegistryReader over advapi32, below HKEY_LOCAL_MACHINE, in the registry view asked for.
class Win32Registry : public RegistryReader {
public:
    Win32Registry();

    long OpenKey(const char* path, RegistryView view, RegistryKey* key) override;
    long EnumValue(RegistryKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                   unsigned char* data, std::uint32_t* dataSize) override;
    void CloseKey(RegistryKey key) override;
    long DeleteValue(const char* path, RegistryView view, const char* name) override;

private:
    bool m_hasSeparate64BitView;
};
