#pragma once

#include "installer/LogFiles.h"

// LogFiles over kernel32, in the ANSI code page.
class Win32LogFiles : public LogFiles {
public:
    std::string Folder() override;
    bool CreateFolder(const std::string& path) override;
    bool CreateNewFile(const std::string& path) override;
    void RemoveFile(const std::string& path) override;
    bool IsEmptyFile(const std::string& path) override;
    std::string LocalTimestamp() override;
};
