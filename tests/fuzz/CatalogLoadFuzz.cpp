// The catalog over a registry decoded from the input, in both views: values of any shape, values
// that do not fit, "more data" and errors mid-enumeration, a reader that reports more than it
// was given room for, keys that do not open. The loaded catalog is checked against a model of
// the load, then every operation is tried with indexes in and out of range.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeInstaller.h"
#include "FuzzCheck.h"
#include "FuzzModel.h"
#include "catalog/DriverCatalog.h"
#include "catalog/RegistryReader.h"

namespace {

constexpr std::size_t kNameCapacity = 256;
constexpr std::size_t kDataCapacity = 256;
const char kPath[] = "SOFTWARE\\Velmora\\IVI\\Drivers";

enum class Kind { Value, MoreData, Error, Overreport };

struct Entry {
    Kind kind = Kind::Value;
    std::string name;
    std::string data;
    long error = 0;
};

struct View {
    long openResult = kRegistrySuccess;
    std::vector<Entry> entries;
};

// A RegistryReader over the decoded views. It writes only inside the capacities it is given,
// so a catalog that hands it more room than its buffers have is caught by the sanitizer.
class FuzzRegistry : public RegistryReader {
public:
    View views[2];
    int openKeys = 0;

    long OpenKey(const char* path, RegistryView view, RegistryKey* key) override {
        FUZZ_CHECK(path != nullptr && std::strcmp(path, kPath) == 0);
        View& opened = views[view == RegistryView::Bits64 ? 1 : 0];
        if (opened.openResult != kRegistrySuccess) return opened.openResult;
        ++openKeys;
        *key = &opened;
        return kRegistrySuccess;
    }

    long EnumValue(RegistryKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                   unsigned char* data, std::uint32_t* dataSize) override {
        FUZZ_CHECK(openKeys > 0 && key != nullptr);
        const View& view = *static_cast<const View*>(key);
        if (index >= view.entries.size()) return kRegistryNoMoreItems;
        const Entry& entry = view.entries[index];
        switch (entry.kind) {
            case Kind::MoreData:
                return kRegistryMoreData;
            case Kind::Error:
                return entry.error;
            case Kind::Value:
                if (entry.name.size() + 1 > *nameLength || entry.data.size() > *dataSize) {
                    return kRegistryMoreData;
                }
                std::memcpy(name, entry.name.c_str(), entry.name.size() + 1);
                *nameLength = static_cast<std::uint32_t>(entry.name.size());
                std::memcpy(data, entry.data.data(), entry.data.size());
                *dataSize = static_cast<std::uint32_t>(entry.data.size());
                return kRegistrySuccess;
            case Kind::Overreport: {
                // Fills both buffers to the last byte, without a terminator, and reports more.
                const std::string fullName = Padded(entry.name, *nameLength, 'n');
                const std::string fullData = Padded(entry.data, *dataSize, 'd');
                std::memcpy(name, fullName.data(), fullName.size());
                std::memcpy(data, fullData.data(), fullData.size());
                *nameLength += 1 + static_cast<std::uint32_t>(entry.error & 0xFFFF);
                *dataSize += 1 + static_cast<std::uint32_t>(entry.error & 0xFFFF);
                return kRegistrySuccess;
            }
        }
        return kRegistryNoMoreItems;
    }

    void CloseKey(RegistryKey key) override {
        FUZZ_CHECK(openKeys > 0 && key != nullptr);
        --openKeys;
    }

    // Loading never deletes anything.
    long DeleteValue(const char*, RegistryView, const char*) override {
        FUZZ_CHECK(false);
        return kRegistryAccessDenied;
    }

    static std::string Padded(const std::string& text, std::size_t size, char pad) {
        std::string padded = text.substr(0, size);
        padded.resize(size, pad);
        return padded;
    }
};

// A record when the text up to its first NUL has four fields or more between runs of ';'.
bool ParseRecord(const std::string& name, const std::string& data, ModelRecord& record) {
    std::vector<std::string> fields;
    std::string field;
    for (const char c : data.substr(0, data.find('\0')) + ";") {
        if (c != ';') {
            field += c;
        } else if (!field.empty()) {
            fields.push_back(field);
            field.clear();
        }
    }
    if (fields.size() < 4) return false;
    record = {name, fields[0], fields[1], fields[2], fields[3]};
    return true;
}

std::vector<ModelRecord> ModelView(const View& view) {
    std::vector<ModelRecord> records;
    for (const Entry& entry : view.entries) {
        if (entry.kind == Kind::MoreData) continue;
        if (entry.kind == Kind::Error) break;
        std::string name = entry.name;
        std::string data = entry.data;
        if (entry.kind == Kind::Overreport) {
            name = FuzzRegistry::Padded(name, kNameCapacity, 'n').substr(0, kNameCapacity - 1);
            data = FuzzRegistry::Padded(data, kDataCapacity, 'd');
        } else if (name.size() + 1 > kNameCapacity || data.size() > kDataCapacity) {
            continue;
        }
        ModelRecord record;
        if (ParseRecord(name.substr(0, name.find('\0')), data, record)) records.push_back(record);
    }
    return records;
}

// The catalog holds `expected` in DriverRecord's order; records equal in that order may come in
// any order. Returns the catalog's order for the model to follow.
std::vector<ModelRecord> CheckHolds(const DriverCatalog& catalog,
                                    std::vector<ModelRecord> expected) {
    std::vector<ModelRecord> actual = Contents(catalog);
    for (std::size_t i = 1; i < actual.size(); ++i) {
        FUZZ_CHECK(!ModelLess(actual[i], actual[i - 1]));
    }
    std::vector<ModelRecord> sorted = actual;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    FUZZ_CHECK(sorted == expected);
    return actual;
}

// Runs `operation`; true when it threw std::runtime_error with `message`.
template <typename Operation>
bool Throws(Operation operation, const char* message) {
    try {
        operation();
    } catch (const std::runtime_error& error) {
        FUZZ_CHECK(std::strcmp(error.what(), message) == 0);
        return true;
    }
    return false;
}

Entry DecodeEntry(FuzzedDataProvider& input) {
    Entry entry;
    switch (input.ConsumeIntegralInRange<int>(0, 15)) {
        case 0:
            entry.kind = Kind::MoreData;
            return entry;
        case 1:
            entry.kind = Kind::Error;
            entry.error = input.PickValueInArray<long>({2, 5, 6, 87, 259, 1010, -1});
            return entry;
        case 2:
            entry.kind = Kind::Overreport;
            entry.error = input.ConsumeIntegral<std::uint16_t>();
            break;
        default:
            break;
    }
    // Lengths around and beyond what fits; names end at their NUL as the reader writes them.
    entry.name = input.ConsumeRandomLengthString(300);
    entry.name = entry.name.substr(0, entry.name.find('\0'));
    entry.data = input.ConsumeRandomLengthString(300);
    return entry;
}

void DecodeView(FuzzedDataProvider& input, View& view, const std::vector<std::string>& codes) {
    view.openResult =
        input.ConsumeIntegralInRange<int>(0, 5) == 0
            ? input.PickValueInArray<long>({kRegistryFileNotFound, kRegistryAccessDenied, 1018})
            : kRegistrySuccess;
    const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t i = 0; i < count && input.remaining_bytes() > 0; ++i) {
        view.entries.push_back(DecodeEntry(input));
        // Product codes shared by both views are what the views' merge is about.
        if (!codes.empty() && input.ConsumeBool()) {
            view.entries.back().name =
                codes[input.ConsumeIntegralInRange<std::size_t>(0, codes.size() - 1)];
        }
    }
}

const unsigned kResults[] = {0, 1603, 3010, 1641, 1618, 1605};

bool Fails(const std::vector<unsigned>& results) {
    const unsigned last = results.back();
    return last != 0 && last != 3010 && last != 1641;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider input(bytes, size);
    const std::vector<std::string> codes = {"{A}", "{B}", "{C}"};
    FuzzRegistry registry;
    DecodeView(input, registry.views[0], codes);
    DecodeView(input, registry.views[1], codes);

    FakeInstaller installer;
    DriverCatalog catalog(registry, installer, kPath, input.ConsumeIntegralInRange<int>(-2, 40));

    // The load: the 32-bit view's records, and the 64-bit view's whose product code the 32-bit
    // view did not give; nothing at all when neither view opens.
    const bool opens = registry.views[0].openResult == kRegistrySuccess ||
                       registry.views[1].openResult == kRegistrySuccess;
    std::vector<ModelRecord> model;
    if (registry.views[0].openResult == kRegistrySuccess) model = ModelView(registry.views[0]);
    if (registry.views[1].openResult == kRegistrySuccess) {
        const std::vector<ModelRecord> records32 = model;
        for (const ModelRecord& record : ModelView(registry.views[1])) {
            const bool listed =
                std::any_of(records32.begin(), records32.end(), [&](const ModelRecord& other) {
                    return FieldOf(other, DriverField::ProductCode) ==
                           FieldOf(record, DriverField::ProductCode);
                });
            if (!listed) model.push_back(record);
        }
    }
    for (int load = 0; load < 2; ++load) {
        int count = -1;
        FUZZ_CHECK(Throws([&] { count = catalog.Reload(); }, "Invalid root key") == !opens);
        FUZZ_CHECK(registry.openKeys == 0);
        if (opens) FUZZ_CHECK(count == static_cast<int>(model.size()));
        FUZZ_CHECK(catalog.Count() == (opens ? static_cast<int>(model.size()) : 0));
    }
    if (!opens) model.clear();
    model = CheckHolds(catalog, model);

    while (input.remaining_bytes() > 0) {
        const int count = static_cast<int>(model.size());
        const int index = input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(-2, count + 1)
                                              : input.ConsumeIntegral<int>();
        const bool indexValid = index >= 0 && index < count;
        const auto fieldNumber = input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(-1, 5)
                                                     : input.ConsumeIntegral<std::int32_t>();
        const DriverField field = static_cast<DriverField>(fieldNumber);
        const bool fieldKnown = fieldNumber >= 0 && fieldNumber <= 4;
        std::string text = input.ConsumeRandomLengthString(40);
        if (!model.empty() && fieldKnown && input.ConsumeBool()) {
            text = FieldOf(
                model[static_cast<std::size_t>(input.ConsumeIntegralInRange<int>(0, count - 1))],
                fieldNumber);
        }

        switch (input.ConsumeIntegralInRange<int>(0, 4)) {
            case 0: {
                const char* got = nullptr;
                const bool threw = Throws([&] { got = catalog.GetField(field, index); },
                                          indexValid ? "Unknown field" : "Invalid index");
                FUZZ_CHECK(threw == (!indexValid || !fieldKnown));
                if (!threw) FUZZ_CHECK(got == FieldOf(model[index], fieldNumber));
                break;
            }
            case 1: {
                int found = -2;
                const bool threw = Throws([&] { found = catalog.FindIndex(field, text, index); },
                                          indexValid ? "Unknown field" : "Invalid index");
                FUZZ_CHECK(threw == (!indexValid || !fieldKnown));
                if (threw) break;
                int expected = -1;
                for (int i = index; i < count && expected < 0; ++i) {
                    if (text == FieldOf(model[i], fieldNumber)) expected = i;
                }
                FUZZ_CHECK(found == expected);
                break;
            }
            case 2: {
                int kept = -1;
                const bool filters = !model.empty() && !text.empty();
                FUZZ_CHECK(Throws([&] { kept = catalog.Filter(field, text); }, "Unknown field") ==
                           (filters && !fieldKnown));
                if (filters && !fieldKnown) break;
                if (filters) {
                    model.erase(std::remove_if(model.begin(), model.end(),
                                               [&](const ModelRecord& record) {
                                                   return text != FieldOf(record, fieldNumber);
                                               }),
                                model.end());
                }
                FUZZ_CHECK(kept == static_cast<int>(model.size()));
                model = CheckHolds(catalog, model);
                break;
            }
            case 3: {
                std::vector<unsigned> results = {input.PickValueInArray(kResults)};
                if (results[0] == 1618) results.push_back(input.PickValueInArray(kResults));
                const std::size_t calls = installer.ConfigureCalls().size();
                bool failed = false;
                if (indexValid)
                    installer.SetResults(FieldOf(model[index], DriverField::ProductCode), results);
                FUZZ_CHECK(Throws([&] { failed = catalog.Uninstall(index); }, "Invalid index") ==
                           !indexValid);
                if (!indexValid) {
                    FUZZ_CHECK(installer.ConfigureCalls().size() == calls);
                    break;
                }
                FUZZ_CHECK(installer.ConfigureCalls().size() > calls);
                for (std::size_t i = calls; i < installer.ConfigureCalls().size(); ++i) {
                    FUZZ_CHECK(installer.ConfigureCalls()[i].productCode ==
                               FieldOf(model[index], DriverField::ProductCode));
                }
                FUZZ_CHECK(failed == Fails(results));
                // A removal does not change the catalog.
                model = CheckHolds(catalog, model);
                break;
            }
            default: {
                const char* name = nullptr;
                FUZZ_CHECK(Throws([&] { name = catalog.NameAt(index); }, "Invalid index") ==
                           !indexValid);
                if (indexValid) FUZZ_CHECK(FieldOf(model[index], DriverField::Name) == name);
                break;
            }
        }
    }
    return 0;
}
