#pragma once

#include <cstdint>

// Opaque handle of an open registry key; what it points to belongs to the reader.
using RegistryKey = void*;

// Results of the registry operations, as Windows reports them.
constexpr long kRegistrySuccess = 0;
constexpr long kRegistryFileNotFound = 2;
constexpr long kRegistryAccessDenied = 5;
constexpr long kRegistryMoreData = 234;
constexpr long kRegistryNoMoreItems = 259;

// The two views of HKEY_LOCAL_MACHINE\SOFTWARE that 64-bit Windows keeps apart: the one 32-bit
// programs see (KEY_WOW64_32KEY) and the one 64-bit programs see (KEY_WOW64_64KEY).
enum class RegistryView { Bits32, Bits64 };

// The registry operations the catalog needs, with the contract of advapi32's RegOpenKeyExA,
// RegEnumValueA, RegCloseKey and RegDeleteValueA below HKEY_LOCAL_MACHINE: reading the drivers
// key, and deleting the value of a driver whose product is gone.
class RegistryReader {
public:
    virtual ~RegistryReader() = default;

    // Opens `path` (relative to HKEY_LOCAL_MACHINE) in `view` for reading. Returns
    // kRegistrySuccess and sets *key; any other result means the key is not open and there is
    // nothing to close. On a system with one view only, the 64-bit view does not open.
    virtual long OpenKey(const char* path, RegistryView view, RegistryKey* key) = 0;

    // Reads the value at `index` (0, 1, 2, ...; the order is the reader's).
    // In: *nameLength is the capacity of `name` in characters including the NUL, *dataSize the
    // capacity of `data` in bytes. On kRegistrySuccess, `name` holds the NUL-terminated value
    // name, *nameLength its length without the NUL, and *dataSize the number of data bytes
    // written, which need not end in a NUL. kRegistryMoreData: the name or the data did not fit
    // and the buffers hold nothing usable; the next index may still be read.
    // kRegistryNoMoreItems: index is past the last value. Any other result is an error.
    virtual long EnumValue(RegistryKey key, std::uint32_t index, char* name,
                           std::uint32_t* nameLength, unsigned char* data,
                           std::uint32_t* dataSize) = 0;

    // Closes a key that OpenKey opened.
    virtual void CloseKey(RegistryKey key) = 0;

    // Deletes the value `name` of the key `path` in `view`, leaving the key and its other values.
    // kRegistrySuccess: deleted. kRegistryFileNotFound: the key or the value is not there in that
    // view, and nothing changed; on a system with one view only, the 64-bit view always answers
    // so. Any other result is an error, and the value may still be there.
    virtual long DeleteValue(const char* path, RegistryView view, const char* name) = 0;
};
