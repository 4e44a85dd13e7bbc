// The configuration store's reader on arbitrary bytes: it must end with a store or a reason,
// within the stack and memory it is given, and a store's references must point inside it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "ivi/IviStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const IviStoreReading reading = ReadIviStore(bytes);
    FUZZ_CHECK(reading.read == reading.failure.empty());
    const IviStore& store = reading.store;
    for (const IviDriverSession& session : store.sessions) {
        FUZZ_CHECK(session.module >= -1 && session.module < static_cast<int>(store.modules.size()));
    }
    for (const IviLogicalName& logicalName : store.logicalNames) {
        FUZZ_CHECK(logicalName.session >= -1 &&
                   logicalName.session < static_cast<int>(store.sessions.size()));
    }
    return 0;
}
