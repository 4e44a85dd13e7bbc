#include "catalog/ValueData.h"

namespace {

// The next field after `cursor`, as strtok with ";" finds it, or null when none is left. The
// position lives in the caller's cursor rather than in hidden state, so splits can interleave.
const char* NextField(char*& cursor) {
    while (*cursor == ';') ++cursor;
    if (*cursor == '\0') return nullptr;
    const char* field = cursor;
    while (*cursor != '\0' && *cursor != ';') ++cursor;
    if (*cursor == ';') *cursor++ = '\0';
    return field;
}

}  // namespace

int ParseValueData(char* data, std::string& name, std::string& cls, std::string& ade,
                   std::string& manufacturer) {
    if (data == nullptr) return 0;
    std::string* const outputs[] = {&name, &cls, &ade, &manufacturer};
    int count = 0;
    char* cursor = data;
    for (std::string* output : outputs) {
        const char* field = NextField(cursor);
        if (field == nullptr) break;
        *output = field;
        ++count;
    }
    return count;
}
