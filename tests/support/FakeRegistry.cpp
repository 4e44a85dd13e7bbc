#include "FakeRegistry.h"

#include <algorithm>
#include <cstring>

void FakeRegistry::AddText(const std::string& path, const std::string& name,
                           const std::string& text, RegistryView view) {
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    AddBytes(path, name, std::move(bytes), view);
}

void FakeRegistry::AddBytes(const std::string& path, const std::string& name,
                            std::vector<unsigned char> bytes, RegistryView view) {
    Keys(view)[path].values.push_back({name, std::move(bytes)});
}

void FakeRegistry::AddKey(const std::string& path, RegistryView view) { Keys(view)[path]; }

void FakeRegistry::RemoveKey(const std::string& path, RegistryView view) { Keys(view).erase(path); }

void FakeRegistry::RefuseOpen(const std::string& path, long result, RegistryView view) {
    Keys(view)[path].openResult = result;
}

void FakeRegistry::FailEnumAt(const std::string& path, std::uint32_t index, long result,
                              RegistryView view) {
    Keys(view)[path].enumFailures[index] = result;
}

void FakeRegistry::RefuseDelete(const std::string& path, const std::string& name, long result,
                                RegistryView view) {
    Keys(view)[path].deleteFailures[name] = result;
}

std::vector<std::string> FakeRegistry::ValueNames(const std::string& path, RegistryView view) {
    std::vector<std::string> names;
    const auto found = Keys(view).find(path);
    if (found == Keys(view).end()) return names;
    for (const Value& value : found->second.values) names.push_back(value.name);
    return names;
}

std::map<std::string, FakeRegistry::Key>& FakeRegistry::Keys(RegistryView view) {
    return view == RegistryView::Bits64 ? m_keys64 : m_keys32;
}

long FakeRegistry::OpenKey(const char* path, RegistryView view, RegistryKey* key) {
    ++m_openCalls[view == RegistryView::Bits64 ? 1 : 0];
    std::map<std::string, Key>& keys = Keys(view);
    auto found = keys.find(path);
    if (found == keys.end()) return kRegistryFileNotFound;
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

long FakeRegistry::DeleteValue(const char* path, RegistryView view, const char* name) {
    std::map<std::string, Key>& keys = Keys(view);
    auto found = keys.find(path);
    if (found == keys.end()) return kRegistryFileNotFound;
    Key& key = found->second;
    if (key.openResult != kRegistrySuccess) return key.openResult;
    const auto failure = key.deleteFailures.find(name);
    if (failure != key.deleteFailures.end()) return failure->second;
    const auto named = std::remove_if(key.values.begin(), key.values.end(),
                                      [&](const Value& value) { return value.name == name; });
    if (named == key.values.end()) return kRegistryFileNotFound;
    key.values.erase(named, key.values.end());
    return kRegistrySuccess;
}
