#pragma once

#include "installer/LogFiles.h"

// LogFiles over kernel32 and advapi32, in UTF-16 at the system's calls.
class Win32LogFiles : public LogFiles {
public:
    std::optional<std::string> TempPath2() override;
    std::string TempPath() override;
    std::string FullPath(const std::string& path) override;
    bool CreateFolder(const std::string& path, bool restricted) override;
    std::optional<FileKind> KindOf(const std::string& path) override;
    std::unique_ptr<HeldFile> HoldFolder(const std::string& path, bool removable) override;
    std::unique_ptr<HeldFile> CreateNewFile(const std::string& path) override;
    std::string InCodePage(const std::string& path) override;
    std::string LocalTimestamp() override;
};
