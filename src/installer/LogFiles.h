#pragma once

#include <string>

// What keeping Windows Installer's logs needs of the file system. Paths are in the ANSI code
// page, like every other text of the program.
class LogFiles {
public:
    virtual ~LogFiles() = default;

    // The folder the logs go to, "Calvorn" in the user's temporary folder (GetTempPathA),
    // without a trailing separator; empty when there is no temporary folder.
    virtual std::string Folder() = 0;
    // Creates `path` as a folder unless one is there; false when there is none afterwards.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Creates `path` as a new empty file; false when something of that name exists already or
    // the file cannot be made. Never replaces a file.
    virtual bool CreateNewFile(const std::string& path) = 0;
    virtual void RemoveFile(const std::string& path) = 0;
    // Whether `path` is a file of no bytes; false when that cannot be told.
    virtual bool IsEmptyFile(const std::string& path) = 0;
    // The local date and time now, as YYYYMMDD-HHMMSS.
    virtual std::string LocalTimestamp() = 0;
};
