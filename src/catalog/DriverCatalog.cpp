#include "catalog/DriverCatalog.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <unordered_set>

#include "catalog/ValueData.h"
#include "installer/WindowsInstaller.h"

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

bool DriverCatalog::Uninstall(int index) { return !WasRemoved(UninstallWithAnswer(index).outcome); }

RemovalAnswer DriverCatalog::UninstallWithAnswer(int index) {
    CheckIndex(index);
    const std::string productCode = m_records[static_cast<std::size_t>(index)].GetProductCode();
    return RemoveProductWithAnswer(m_installer, productCode);
}

// The value is asked for in both views, since the record does not say which views hold one; on
// a system with one view the 64-bit view answers "not there", so it is deleted once. Windows keeps
// a key whose last value goes, Wine deletes it: either way a later load lists no driver there.
bool DriverCatalog::DeleteRegistration(int index) {
    CheckIndex(index);
    const char* name = m_records[static_cast<std::size_t>(index)].GetProductCode();
    bool deleted = false;
    bool refused = false;
    for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
        const long result = m_registry.DeleteValue(m_keyPath.c_str(), view, name);
        deleted = deleted || result == kRegistrySuccess;
        refused = refused || (result != kRegistrySuccess && result != kRegistryFileNotFound);
    }
    return deleted && !refused;
}

int DriverCatalog::Count() const { return static_cast<int>(m_records.size()); }

const char* DriverCatalog::NameAt(int index) const {
    CheckIndex(index);
    return m_records[static_cast<std::size_t>(index)].GetName();
}

const DriverRecord& DriverCatalog::RecordAt(int index) const {
    CheckIndex(index);
    return m_records[static_cast<std::size_t>(index)];
}

int DriverCatalog::Load() {
    if (!m_records.empty()) throw std::runtime_error("List must be empty");
    // A driver's installer registers it in the view of its own bitness, so both views are read.
    // The 32-bit view, the one this catalog has always read, comes first.
    const bool opened32 = LoadView(RegistryView::Bits32, m_records);
    std::vector<DriverRecord> records64;
    const bool opened64 = LoadView(RegistryView::Bits64, records64);
    if (!opened32 && !opened64) throw std::runtime_error("Invalid root key");
    AddRecordsMissingFrom32BitView(records64);
    Sort();
    return Count();
}

bool DriverCatalog::LoadView(RegistryView view, std::vector<DriverRecord>& records) {
    RegistryKey key = nullptr;
    if (m_registry.OpenKey(m_keyPath.c_str(), view, &key) != kRegistrySuccess) return false;
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
            records.emplace_back(name, fields[0].c_str(), fields[1].c_str(), fields[2].c_str(),
                                 fields[3].c_str());
        }
    }
    return true;
}

// On 32-bit Windows both views name the same key, and a product may register in both views on
// 64-bit Windows: either way a product code already loaded from the 32-bit view is not listed
// again. A value of the 32-bit view that gave no record (too long, too few fields) does not hide
// the 64-bit view's.
void DriverCatalog::AddRecordsMissingFrom32BitView(std::vector<DriverRecord>& records64) {
    if (records64.empty()) return;
    {
        std::unordered_set<std::string_view> productCodes32;
        productCodes32.reserve(m_records.size());
        for (const DriverRecord& record : m_records) productCodes32.insert(record.GetProductCode());
        records64.erase(std::remove_if(records64.begin(), records64.end(),
                                       [&](const DriverRecord& record) {
                                           return productCodes32.count(record.GetProductCode()) !=
                                                  0;
                                       }),
                        records64.end());
    }
    m_records.insert(m_records.end(), std::make_move_iterator(records64.begin()),
                     std::make_move_iterator(records64.end()));
}

void DriverCatalog::Clear() { m_records.clear(); }

void DriverCatalog::Sort() {
    if (m_records.size() > 1) std::sort(m_records.begin(), m_records.end());
}

void DriverCatalog::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw std::runtime_error("Invalid index");
}
