#pragma once

#include <string>

class LogFiles;

// What the console program needs of the system beyond the registry and the installer.
class CommandSystem {
public:
    virtual ~CommandSystem() = default;

    // A registry text in the system's ANSI code page as UTF-8. Any bytes give valid UTF-8.
    virtual std::string Utf8FromCodePage(const char* text) = 0;
    // Whether this process may remove per-machine products.
    virtual bool IsAdministrator() = 0;
    // Writes UTF-8 text to the standard output or the error stream.
    virtual void WriteOutput(const std::string& text) = 0;
    virtual void WriteError(const std::string& text) = 0;
    // The whole content of a driver list's file, `path` in UTF-8; false when it cannot be read
    // or is larger than any list of drivers could be.
    virtual bool ReadListFile(const std::string& path, std::string& content) = 0;
    // Where the installer's logs of removals are kept.
    virtual LogFiles& InstallerLogFiles() = 0;
};
