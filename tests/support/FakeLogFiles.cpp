#include "FakeLogFiles.h"

#include <utility>

namespace {

class FakeHeld : public HeldFile {
public:
    FakeHeld(std::multiset<std::string>& held, std::string path, std::optional<FileKind> kind,
             bool empty)
        : m_held(held), m_path(std::move(path)), m_kind(kind), m_empty(empty) {
        m_held.insert(m_path);
    }
    ~FakeHeld() override { m_held.erase(m_held.find(m_path)); }

    std::optional<FileKind> Kind() override { return m_kind; }
    bool IsEmpty() override { return m_empty; }

private:
    std::multiset<std::string>& m_held;
    std::string m_path;
    std::optional<FileKind> m_kind;
    bool m_empty;
};

}  // namespace

std::string FakeLogFiles::FullPath(const std::string& path) {
    const bool absolute = path.rfind("\\\\", 0) == 0 || (path.size() > 1 && path[1] == ':');
    return absolute ? path : "C:\\Work\\" + path;
}

bool FakeLogFiles::CreateFolder(const std::string& path, bool) {
    if (refuseFolder || folders.count(path) != 0) return false;
    folders[path] = {};
    return true;
}

std::optional<FileKind> FakeLogFiles::KindOf(const std::string& path) {
    const auto found = folders.find(path);
    if (found == folders.end()) return std::nullopt;
    return found->second.kind;
}

std::unique_ptr<HeldFile> FakeLogFiles::HoldFolder(const std::string& path) {
    const auto found = folders.find(path);
    if (found == folders.end() || !found->second.opens) return nullptr;
    return std::make_unique<FakeHeld>(held, path, found->second.onHandle, false);
}

std::unique_ptr<HeldFile> FakeLogFiles::CreateNewFile(const std::string& path) {
    const std::string folder = path.substr(0, path.rfind('\\'));
    if (refuseFiles || folders.count(folder) == 0 || !files.insert(path).second) return nullptr;
    return std::make_unique<FakeHeld>(held, path, FileKind{}, !installerWrites);
}

void FakeLogFiles::RemoveFile(const std::string& path) {
    // As Windows refuses to delete a file held without delete sharing.
    if (held.count(path) == 0) files.erase(path);
}
