#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "catalog/RegistryReader.h"

// An in-memory registry honouring RegistryReader's contract: keys by view and path, each with
// its values in the order they were added. A key can be made to refuse opening, and a value its
// deletion. Everything is in the 32-bit view unless a view is named.
class FakeRegistry : public RegistryReader {
public:
    struct Value {
        std::string name;
        std::vector<unsigned char> data;  // exactly the bytes stored, NUL or not
    };

    // Adds a value whose data is `text` with its terminating NUL, as a REG_SZ holds it.
    void AddText(const std::string& path, const std::string& name, const std::string& text,
                 RegistryView view = RegistryView::Bits32);
    // Adds a value whose data is exactly `bytes`.
    void AddBytes(const std::string& path, const std::string& name,
                  std::vector<unsigned char> bytes, RegistryView view = RegistryView::Bits32);
    // Creates the key without values.
    void AddKey(const std::string& path, RegistryView view = RegistryView::Bits32);
    void RemoveKey(const std::string& path, RegistryView view = RegistryView::Bits32);
    // OpenKey of `path` then answers `result`.
    void RefuseOpen(const std::string& path, long result = kRegistryAccessDenied,
                    RegistryView view = RegistryView::Bits32);
    // EnumValue at `index` of `path` answers `result` instead of the value.
    void FailEnumAt(const std::string& path, std::uint32_t index, long result,
                    RegistryView view = RegistryView::Bits32);
    // DeleteValue of `name` in `path` then answers `result` and deletes nothing.
    void RefuseDelete(const std::string& path, const std::string& name,
                      long result = kRegistryAccessDenied,
                      RegistryView view = RegistryView::Bits32);
    // The names of the values in `path`, in order; empty when the key is not there.
    std::vector<std::string> ValueNames(const std::string& path,
                                        RegistryView view = RegistryView::Bits32);

    int OpenKeys() const { return m_openKeys; }
    // OpenKey calls for `view`: one per view at every read of the catalog.
    int OpenCalls(RegistryView view = RegistryView::Bits32) const {
        return m_openCalls[view == RegistryView::Bits64 ? 1 : 0];
    }

    long OpenKey(const char* path, RegistryView view, RegistryKey* key) override;
    long EnumValue(RegistryKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                   unsigned char* data, std::uint32_t* dataSize) override;
    void CloseKey(RegistryKey key) override;
    long DeleteValue(const char* path, RegistryView view, const char* name) override;

private:
    struct Key {
        std::vector<Value> values;
        long openResult = kRegistrySuccess;
        std::map<std::uint32_t, long> enumFailures;
        std::map<std::string, long> deleteFailures;
    };
    std::map<std::string, Key>& Keys(RegistryView view);

    std::map<std::string, Key> m_keys32;
    std::map<std::string, Key> m_keys64;
    int m_openKeys = 0;
    int m_openCalls[2] = {0, 0};
};
