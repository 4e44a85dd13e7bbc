#include "installer/LogFolder.h"

#include <optional>

#include "installer/LogFiles.h"

namespace {

const char kFolderName[] = "Calvorn";

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// What a folder must be to hold logs: a folder itself, not a name for another one.
LogFolderRefusal Judge(const FileKind& kind) {
    if (kind.reparsePoint) return LogFolderRefusal::Redirection;
    if (!kind.directory) return LogFolderRefusal::NotAFolder;
    return LogFolderRefusal::None;
}

}  // namespace

std::string PathInFolder(const std::string& folder, const std::string& name) {
    return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

LogFolderChoice ChooseLogFolder(LogFiles& files, const std::string& namedFolder) {
    if (!namedFolder.empty()) {
        const std::string full = files.FullPath(namedFolder);
        return {full.empty() ? namedFolder : full, false};
    }
    // Where GetTempPath2 exists but fails, GetTempPath would give SYSTEM the folder every user
    // can write to: no folder rather than that one.
    const std::optional<std::string> temporary2 = files.TempPath2();
    const std::string temporary = temporary2 ? *temporary2 : files.TempPath();
    if (temporary.empty()) return {};
    return {PathInFolder(temporary, kFolderName), true};
}

std::unique_ptr<HeldFile> HoldLogFolder(LogFiles& files, const LogFolderChoice& choice,
                                        LogFolderRefusal& refusal) {
    if (choice.path.empty()) {
        refusal = LogFolderRefusal::NoTemporaryFolder;
        return nullptr;
    }
    // Made where nothing is there; a name already taken, by a link even, is left as it is and
    // judged below.
    files.CreateFolder(choice.path, choice.restricted);
    const std::optional<FileKind> byPath = files.KindOf(choice.path);
    refusal = byPath ? Judge(*byPath) : LogFolderRefusal::Missing;
    if (refusal != LogFolderRefusal::None) return nullptr;

    std::unique_ptr<HeldFile> held = files.HoldFolder(choice.path);
    if (!held) {
        refusal = LogFolderRefusal::NotOpened;
        return nullptr;
    }
    // The name may have been swapped for a link between the look and the open.
    const std::optional<FileKind> byHandle = held->Kind();
    if (byHandle) refusal = Judge(*byHandle);
    if (refusal != LogFolderRefusal::None) return nullptr;
    return held;
}
