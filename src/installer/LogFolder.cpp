#include "installer/LogFolder.h"

#include <optional>

#include "installer/LogFiles.h"

namespace {

const char kFolderPrefix[] = "Calvorn-";

// A taken name is tried again with a number, but not forever: every user can make folders in
// the temporary folder of SYSTEM on older Windows.
constexpr int kMaxFolderAttempts = 100;

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// What a folder must be to hold logs: a folder itself, not a name for another one.
LogFolderRefusal Judge(const FileKind& kind) {
    if (kind.reparsePoint) return LogFolderRefusal::Redirection;
    if (!kind.directory) return LogFolderRefusal::NotAFolder;
    return LogFolderRefusal::None;
}

// `folder` opened and judged again through its handle: the name may have been swapped for a link
// between the look (or the making) and the open.
std::unique_ptr<HeldFile> HoldJudged(LogFiles& files, const std::string& folder, bool removable,
                                     LogFolderRefusal& refusal) {
    std::unique_ptr<HeldFile> held = files.HoldFolder(folder, removable);
    if (!held) {
        refusal = LogFolderRefusal::NotOpened;
        return nullptr;
    }
    const std::optional<FileKind> byHandle = held->Kind();
    refusal = byHandle ? Judge(*byHandle) : LogFolderRefusal::None;
    if (refusal != LogFolderRefusal::None) return nullptr;
    return held;
}

// A new folder for this pass, made with its DACL: a name anything already has (a folder, a file,
// a link another user put there first) is never used.
HeldLogFolder MakeFolderForPass(LogFiles& files, const std::string& temporary,
                                const std::string& timestamp, LogFolderRefusal& refusal) {
    const std::string name = PathInFolder(temporary, kFolderPrefix + timestamp);
    for (int attempt = 1; attempt <= kMaxFolderAttempts; ++attempt) {
        const std::string path = attempt == 1 ? name : name + "-" + std::to_string(attempt);
        if (!files.CreateFolder(path, true)) continue;
        return {path, HoldJudged(files, path, true, refusal), true};
    }
    refusal = LogFolderRefusal::Missing;
    return {name, nullptr, false};
}

}  // namespace

std::string PathInFolder(const std::string& folder, const std::string& name) {
    return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

LogFolderChoice ChooseLogFolder(LogFiles& files, const std::string& namedFolder) {
    if (!namedFolder.empty()) {
        const std::string full = files.FullPath(namedFolder);
        return {full.empty() ? namedFolder : full, true};
    }
    // Where GetTempPath2 exists but fails, GetTempPath would give SYSTEM the folder every user
    // can write to: no folder rather than that one.
    const std::optional<std::string> temporary2 = files.TempPath2();
    return {temporary2 ? *temporary2 : files.TempPath(), false};
}

HeldLogFolder HoldLogFolder(LogFiles& files, const LogFolderChoice& choice,
                            const std::string& timestamp, LogFolderRefusal& refusal) {
    if (choice.path.empty()) {
        refusal = LogFolderRefusal::NoTemporaryFolder;
        return {};
    }
    if (!choice.named) return MakeFolderForPass(files, choice.path, timestamp, refusal);

    // Made where nothing is there; a name already taken, by a link even, is left as it is and
    // judged below.
    files.CreateFolder(choice.path, false);
    const std::optional<FileKind> byPath = files.KindOf(choice.path);
    refusal = byPath ? Judge(*byPath) : LogFolderRefusal::Missing;
    if (refusal != LogFolderRefusal::None) return {choice.path, nullptr, false};
    return {choice.path, HoldJudged(files, choice.path, false, refusal), false};
}
