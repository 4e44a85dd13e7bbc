#include "FakeLogFiles.h"

#include <utility>

namespace {

bool IsInFolder(const std::string& path, const std::string& folder) {
    return path.rfind(folder + "\\", 0) == 0;
}

class FakeHeld : public HeldFile {
public:
    // `removable`: a folder held with the right to remove it; a file always is.
    FakeHeld(FakeLogFiles& files, std::string path, std::optional<FileKind> kind, bool empty,
             bool removable)
        : m_files(files),
          m_path(std::move(path)),
          m_kind(kind),
          m_empty(empty),
          m_removable(removable) {
        m_files.held.insert(m_path);
    }
    ~FakeHeld() override { m_files.held.erase(m_files.held.find(m_path)); }

    std::optional<FileKind> Kind() override { return m_kind; }
    bool IsEmpty() override { return m_empty; }
    bool Remove() override {
        if (m_files.files.erase(m_path) != 0) return true;
        for (const std::string& file : m_files.files) {
            if (IsInFolder(file, m_path)) return false;
        }
        return m_removable && m_files.folders.erase(m_path) != 0;
    }

private:
    FakeLogFiles& m_files;
    std::string m_path;
    std::optional<FileKind> m_kind;
    bool m_empty;
    bool m_removable;
};

}  // namespace

std::string FakeLogFiles::FullPath(const std::string& path) {
    const bool absolute = path.rfind("\\\\", 0) == 0 || (path.size() > 1 && path[1] == ':');
    return absolute ? path : "C:\\Work\\" + path;
}

bool FakeLogFiles::CreateFolder(const std::string& path, bool) {
    if (refuseFolder || folders.count(path) != 0 || files.count(path) != 0) return false;
    folders[path] = {};
    return true;
}

std::optional<FileKind> FakeLogFiles::KindOf(const std::string& path) {
    const auto found = folders.find(path);
    if (found == folders.end()) return std::nullopt;
    return found->second.kind;
}

std::unique_ptr<HeldFile> FakeLogFiles::HoldFolder(const std::string& path, bool removable) {
    const auto found = folders.find(path);
    if (found == folders.end() || !found->second.opens) return nullptr;
    return std::make_unique<FakeHeld>(*this, path, found->second.onHandle, false, removable);
}

std::unique_ptr<HeldFile> FakeLogFiles::CreateNewFile(const std::string& path) {
    const std::string folder = path.substr(0, path.rfind('\\'));
    if (refuseFiles || folders.count(folder) == 0 || !files.insert(path).second) return nullptr;
    return std::make_unique<FakeHeld>(*this, path, FileKind{}, !installerWrites, true);
}
