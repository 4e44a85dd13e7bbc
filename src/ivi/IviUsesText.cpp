#include "ivi/IviUsesText.h"

#include <vector>

namespace {

void AppendPart(std::string& text, const char* label, const std::vector<std::string>& names) {
    if (names.empty()) return;
    if (!text.empty()) text += "; ";
    text += label;
    text += ": ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += ", ";
        text += names[i];
    }
}

}  // namespace

std::string InUseText(const IviUses& uses) {
    std::string text;
    AppendPart(text, "logical names", uses.logicalNames);
    AppendPart(text, "driver sessions", uses.driverSessions);
    return text;
}

std::string StillRefersText(const IviUses& uses) {
    std::string text;
    AppendPart(text, uses.softwareModules.size() == 1 ? "software module" : "software modules",
               uses.softwareModules);
    AppendPart(text, "driver sessions", uses.driverSessions);
    AppendPart(text, "logical names", uses.logicalNames);
    return text;
}
