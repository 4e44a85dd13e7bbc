#include "catalog/DriverCatalog.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "catalog/RegistryReader.h"
#include "catalog/ValueData.h"
#include "installer/InstallerBinding.h"

const char* const kDriversKeyPath = "SOFTWARE\\Velmora\\IVI\\Drivers";

namespace {

constexpr std::uint32_t kNameCapacity = 256;
constexpr std::uint32_t kDataCapacity = 256;

bool IsKnownField(const DriverField& field) {
    return static_cast<std::uint32_t>(field) <=
           static_cast<std::uint32_t>(DriverField::Manufacturer);
}

// Only called with a known field.
const char* FieldText(const DriverRecord& record, const DriverField& field) {
    switch (field) {
        case DriverField::ProductCode:
            return record.GetProductCode();
        case DriverField::Name:
            return record.GetName();
        case DriverField::Class:
            return record.GetClass();
        case DriverField::Ade:
            return record.GetAde();
        case DriverField::Manufacturer:
            return record.GetManufacturer();
    }
    return "";
}

// Closes the key however the load ends, a failed allocation included.
class OpenKey {
public:
    OpenKey(RegistryReader& registry, RegistryKey key) : m_registry(registry), m_key(key) {}
    ~OpenKey() { m_registry.CloseKey(m_key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    RegistryReader& m_registry;
    RegistryKey m_key;
};

}  // namespace

DriverCatalog::DriverCatalog(RegistryReader& registry, WindowsInstaller& installer,
                             const char* keyPath, int capacity)
    : m_keyPath(keyPath != nullptr ? keyPath : ""), m_registry(registry), m_installer(installer) {
    m_records.reserve(capacity > 0 ? static_cast<std::size_t>(capacity) : 0);
}

DriverCatalog::~DriverCatalog() = default;

int DriverCatalog::Reload() {
    if (!m_records.empty()) Clear();
    return Load();
}

const char* DriverCatalog::GetField(const DriverField& field, int index) const {
    CheckIndex(index);
    if (!IsKnownField(field)) throw std::runtime_error("Unknown field");
    return FieldText(m_records[static_cast<std::size_t>(index)], field);
}

int DriverCatalog::FindIndex(const DriverField& field, const std::string& text, int start) const {
    CheckIndex(start);
    for (int i = start; i < Count(); ++i) {
        if (text == GetField(field, i)) return i;
    }
    return -1;
}

int DriverCatalog::Filter(const DriverField& field, const std::string& text) {
    if (m_records.empty()) return 0;
    if (text.empty()) return Count();
    if (!IsKnownField(field)) throw std::runtime_error("Unknown field");
    m_records.erase(std::remove_if(m_records.begin(), m_records.end(),
                                   [&](const DriverRecord& record) {
                                       return text != FieldText(record, field);
                                   }),
                    m_records.end());
    Sort();
    return Count();
}

bool DriverCatalog::Uninstall(int index) {
    CheckIndex(index);
    const std::string productCode = m_records[static_cast<std::size_t>(index)].GetProductCode();
    return RemoveProduct(m_installer, productCode);
}

int DriverCatalog::Count() const { return static_cast<int>(m_records.size()); }

const char* DriverCatalog::NameAt(int index) const {
    CheckIndex(index);
    return m_records[static_cast<std::size_t>(index)].GetName();
}

int DriverCatalog::Load() {
    if (!m_records.empty()) throw std::runtime_error("List must be empty");
    RegistryKey key = nullptr;
    if (m_registry.OpenKey(m_keyPath.c_str(), &key) != kRegistrySuccess) {
        throw std::runtime_error("Invalid root key");
    }
    OpenKey closer(m_registry, key);

    char name[kNameCapacity];
    // One byte beyond what is asked for, so that data without its own NUL (a binary value, text
    // stored unterminated, a full 256 bytes) can always be terminated inside the buffer.
    unsigned char data[kDataCapacity + 1];
    // The index advances on every path, skipped values included, and the loop stops before it
    // could wrap, so a reader that never reports the end cannot hold the load forever.
    for (std::uint32_t index = 0; index < std::numeric_limits<std::uint32_t>::max(); ++index) {
        std::uint32_t nameLength = kNameCapacity;
        std::uint32_t dataSize = kDataCapacity;
        long result = m_registry.EnumValue(key, index, name, &nameLength, data, &dataSize);
        if (result == kRegistryMoreData) continue;
        if (result != kRegistrySuccess) break;
        name[std::min(nameLength, kNameCapacity - 1)] = '\0';
        data[std::min(dataSize, kDataCapacity)] = '\0';

        std::string fields[4];
        if (ParseValueData(reinterpret_cast<char*>(data), fields[0], fields[1], fields[2],
                           fields[3]) == 4) {
            m_records.emplace_back(name, fields[0].c_str(), fields[1].c_str(), fields[2].c_str(),
                                   fields[3].c_str());
        }
    }
    Sort();
    return Count();
}

void DriverCatalog::Clear() { m_records.clear(); }

void DriverCatalog::Sort() {
    if (m_records.size() > 1) std::sort(m_records.begin(), m_records.end());
}

void DriverCatalog::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw std::runtime_error("Invalid index");
}
