#pragma once

#include <set>
#include <string>

#include "installer/LogFiles.h"

// A folder of files in memory, with a fixed clock, and variants that cannot make the folder or
// its files.
class FakeLogFiles : public LogFiles {
public:
    static constexpr const char* kFolder = "C:\\Temp\\Calvorn";
    static constexpr const char* kTimestamp = "20261209-143005";

    std::string Folder() override { return kFolder; }
    bool CreateFolder(const std::string& path) override;
    bool CreateNewFile(const std::string& path) override;
    void RemoveFile(const std::string& path) override { files.erase(path); }
    bool IsEmptyFile(const std::string&) override { return !installerWrites; }
    std::string LocalTimestamp() override { return kTimestamp; }

    // The files there now, by full path.
    std::set<std::string> files;
    bool folderExists = false;
    bool refuseFolder = false;
    bool refuseFiles = false;
    // Whether the installer wrote into the logs it was given.
    bool installerWrites = true;
};
