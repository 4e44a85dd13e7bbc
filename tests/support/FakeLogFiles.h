#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "installer/LogFiles.h"

// Folders and files in memory, with a fixed clock and a user's temporary folder, and variants
// that cannot make the folder or its files or that hold links where folders should be. What is
// held is removed through its handle, a folder only when it was held removable and is empty.
class FakeLogFiles : public LogFiles {
public:
    static constexpr const char* kFolder = "C:\\Temp\\Calvorn-20261209-143005";
    static constexpr const char* kTimestamp = "20261209-143005";

    // What is at a path of a folder (a file or link as well); `onHandle` is what an open handle
    // reports (nullopt: not reported there).
    struct Entry {
        FileKind kind{true, false};
        std::optional<FileKind> onHandle = FileKind{true, false};
        bool opens = true;
    };

    std::optional<std::string> TempPath2() override { return tempPath2; }
    std::string TempPath() override { return tempPath; }
    // Relative to C:\Work.
    std::string FullPath(const std::string& path) override;
    bool CreateFolder(const std::string& path, bool restricted) override;
    std::optional<FileKind> KindOf(const std::string& path) override;
    std::unique_ptr<HeldFile> HoldFolder(const std::string& path, bool removable) override;
    std::unique_ptr<HeldFile> CreateNewFile(const std::string& path) override;
    std::string InCodePage(const std::string& path) override { return path; }
    std::string LocalTimestamp() override { return kTimestamp; }

    std::optional<std::string> tempPath2;
    std::string tempPath = "C:\\Temp\\";
    std::map<std::string, Entry> folders;
    // The files there now, by full path.
    std::set<std::string> files;
    // The paths held open now, folders and files.
    std::multiset<std::string> held;
    bool refuseFolder = false;
    bool refuseFiles = false;
    // Whether the installer wrote into the logs it was given.
    bool installerWrites = true;
};
