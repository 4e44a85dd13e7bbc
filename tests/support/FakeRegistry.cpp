#include "FakeRegistry.h"

#include <cstring>

void FakeRegistry::AddText(const std::string& path, const std::string& name,
                           const std::string& text) {
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    AddBytes(path, name, std::move(bytes));
}

void FakeRegistry::AddBytes(const std::string& path, const std::string& name,
                            std::vector<unsigned char> bytes) {
    m_keys[path].values.push_back({name, std::move(bytes)});
}

void FakeRegistry::AddKey(const std::string& path) { m_keys[path]; }

void FakeRegistry::RemoveKey(const std::string& path) { m_keys.erase(path); }

void FakeRegistry::RefuseOpen(const std::string& path, long result) {
    m_keys[path].openResult = result;
}

void FakeRegistry::FailEnumAt(const std::string& path, std::uint32_t index, long result) {
    m_keys[path].enumFailures[index] = result;
}

long FakeRegistry::OpenKey(const char* path, RegistryKey* key) {
    ++m_openCalls;
    auto found = m_keys.find(path);
    if (found == m_keys.end()) return 2;  // ERROR_FILE_NOT_FOUND
    if (found->second.openResult != kRegistrySuccess) return found->second.openResult;
    ++m_openKeys;
    *key = &found->second;
    return kRegistrySuccess;
}

long FakeRegistry::EnumValue(RegistryKey key, std::uint32_t index, char* name,
                             std::uint32_t* nameLength, unsigned char* data,
                             std::uint32_t* dataSize) {
    const Key& open = *static_cast<const Key*>(key);
    auto failure = open.enumFailures.find(index);
    if (failure != open.enumFailures.end()) return failure->second;
    if (index >= open.values.size()) return kRegistryNoMoreItems;
    const Value& value = open.values[index];
    if (value.name.size() + 1 > *nameLength || value.data.size() > *dataSize) {
        return kRegistryMoreData;
    }
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameLength = static_cast<std::uint32_t>(value.name.size());
    if (!value.data.empty()) std::memcpy(data, value.data.data(), value.data.size());
    *dataSize = static_cast<std::uint32_t>(value.data.size());
    return kRegistrySuccess;
}

void FakeRegistry::CloseKey(RegistryKey) { --m_openKeys; }
