// The value splitter on arbitrary bytes against a plain reference, and DriverRecord's copying,
// moving and order against the texts it was made from.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzModel.h"
#include "catalog/DriverRecord.h"
#include "catalog/ValueData.h"

namespace {

struct Split {
    std::vector<std::string> fields;
    // Offsets of the separators that end the fields taken.
    std::vector<std::size_t> cut;
};

// Fields are the non-empty runs between ';' up to the first NUL; at most four are taken.
Split ReferenceSplit(const std::vector<char>& bytes) {
    Split split;
    std::size_t i = 0;
    while (i < bytes.size() && bytes[i] != '\0' && split.fields.size() < 4) {
        if (bytes[i] == ';') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < bytes.size() && bytes[i] != '\0' && bytes[i] != ';') ++i;
        split.fields.emplace_back(&bytes[start], i - start);
        if (i < bytes.size() && bytes[i] == ';') split.cut.push_back(i++);
    }
    return split;
}

void CheckSplit(const std::vector<char>& stored) {
    // The buffer holds the stored bytes and the one terminator the reader adds, nothing more,
    // so a read or a write past it is the sanitizer's to see.
    const std::size_t size = stored.size() + 1;
    std::unique_ptr<char[]> buffer(new char[size]);
    if (!stored.empty()) std::memcpy(buffer.get(), stored.data(), stored.size());
    buffer[stored.size()] = '\0';

    const char* const kept[] = {"<name>", "<class>", "<ade>", "<manufacturer>"};
    std::string outputs[4] = {kept[0], kept[1], kept[2], kept[3]};
    const int count = ParseValueData(buffer.get(), outputs[0], outputs[1], outputs[2], outputs[3]);

    const Split expected = ReferenceSplit(stored);
    FUZZ_CHECK(count == static_cast<int>(expected.fields.size()));
    for (std::size_t i = 0; i < 4; ++i) {
        FUZZ_CHECK(outputs[i] == (i < expected.fields.size() ? expected.fields[i] : kept[i]));
    }
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const bool cut =
            std::find(expected.cut.begin(), expected.cut.end(), i) != expected.cut.end();
        FUZZ_CHECK(buffer[i] == (cut ? '\0' : stored[i]));
    }
    FUZZ_CHECK(buffer[stored.size()] == '\0');
}

struct Texts {
    std::string field[5];
    bool null[5] = {};
};

DriverRecord Make(const Texts& texts) {
    const char* pointers[5];
    for (int i = 0; i < 5; ++i) pointers[i] = texts.null[i] ? nullptr : texts.field[i].c_str();
    return DriverRecord(pointers[0], pointers[1], pointers[2], pointers[3], pointers[4]);
}

// The texts a record made from `texts` must give: a null pointer reads as "".
ModelRecord ModelOf(const Texts& texts) {
    ModelRecord model;
    for (std::size_t i = 0; i < 5; ++i) model[i] = texts.null[i] ? std::string() : texts.field[i];
    return model;
}

bool Holds(const DriverRecord& record, const Texts& texts) {
    const char* const got[] = {record.GetProductCode(), record.GetName(), record.GetClass(),
                               record.GetAde(), record.GetManufacturer()};
    const ModelRecord expected = ModelOf(texts);
    for (std::size_t i = 0; i < 5; ++i) {
        if (got[i] == nullptr || got[i] != expected[i]) return false;
    }
    return true;
}

bool ReferenceLess(const Texts& left, const Texts& right) {
    return ModelLess(ModelOf(left), ModelOf(right));
}

void CheckRecords(FuzzedDataProvider& input) {
    std::vector<Texts> texts(input.ConsumeIntegralInRange<std::size_t>(0, 8));
    for (Texts& record : texts) {
        for (int i = 0; i < 5; ++i) {
            record.null[i] = input.ConsumeIntegralInRange<int>(0, 7) == 0;
            // Texts go through a const char*, so they end at their first NUL.
            const std::string raw = input.ConsumeRandomLengthString(300);
            record.field[i] = raw.substr(0, raw.find('\0'));
        }
    }

    std::vector<DriverRecord> records;
    for (const Texts& record : texts) {
        records.push_back(Make(record));
        FUZZ_CHECK(Holds(records.back(), record));
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const DriverRecord copy(records[i]);
        FUZZ_CHECK(Holds(copy, texts[i]));
        DriverRecord source(copy);
        DriverRecord moved(std::move(source));
        FUZZ_CHECK(Holds(moved, texts[i]));
        DriverRecord assigned = records[(i + 1) % records.size()];
        assigned = copy;
        FUZZ_CHECK(Holds(assigned, texts[i]));
        assigned = std::move(moved);
        FUZZ_CHECK(Holds(assigned, texts[i]));
        DriverRecord& self = assigned;
        assigned = self;
        FUZZ_CHECK(Holds(assigned, texts[i]));
        FUZZ_CHECK(Holds(records[i], texts[i]));
        for (std::size_t j = 0; j < records.size(); ++j) {
            FUZZ_CHECK((records[i] < records[j]) == ReferenceLess(texts[i], texts[j]));
        }
    }

    std::vector<std::size_t> order(records.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return ReferenceLess(texts[a], texts[b]);
    });
    std::vector<DriverRecord> sorted = records;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        // Records equal in the order may come in any order; their keys may not.
        FUZZ_CHECK(!ReferenceLess(texts[order[i]], texts[order[i]]));
        if (i > 0) FUZZ_CHECK(!(sorted[i] < sorted[i - 1]));
        const ModelRecord expected = ModelOf(texts[order[i]]);
        FUZZ_CHECK(sorted[i].GetName() == FieldOf(expected, DriverField::Name));
        FUZZ_CHECK(sorted[i].GetAde() == FieldOf(expected, DriverField::Ade));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool terminated = input.ConsumeBool();
    const bool nulInside = input.ConsumeBool();
    // Around and well beyond the 256 bytes a driver value holds.
    std::vector<char> stored =
        input.ConsumeBytes<char>(input.ConsumeIntegralInRange<std::size_t>(0, 1024));
    if (!nulInside) std::replace(stored.begin(), stored.end(), '\0', ';');
    if (terminated) stored.push_back('\0');
    CheckSplit(stored);

    std::string untouched[4] = {"a", "b", "c", "d"};
    FUZZ_CHECK(ParseValueData(nullptr, untouched[0], untouched[1], untouched[2], untouched[3]) ==
               0);
    FUZZ_CHECK(untouched[0] == "a" && untouched[3] == "d");

    CheckRecords(input);
    return 0;
}
