#pragma once

#include <string>

#include "installer/InstallerBinding.h"

class LogFiles;
class WindowsInstaller;

// Windows Installer's verbose log of each removal of one pass, in a file of its own, kept only
// for the removals that fail: what an administrator asks for first when a driver will not go.
// Logging never changes an outcome; a log that cannot be written is simply not there.
class RemovalLogs {
public:
    // The pass starts now: every log's name begins with this moment. Without `files`, nothing is
    // logged.
    RemovalLogs(WindowsInstaller& installer, LogFiles* files);

    RemovalLogs(const RemovalLogs&) = delete;
    RemovalLogs& operator=(const RemovalLogs&) = delete;

    // Before the removal of `productCode`: a new log file, and the installer asked to write to it.
    void Begin(const std::string& productCode);
    // After it: logging stops, and the log is kept only when the removal failed.
    void End(RemovalOutcome outcome);

    // The logs' folder once a log of this pass is kept; empty before.
    const std::string& KeptFolder() const { return m_keptFolder; }

    // The name of a log: the pass's start, then the product code when it has a product code's
    // form (a braced GUID), which keeps a value name of any other text out of the file system;
    // `attempt` tells apart the names tried when one is taken.
    static std::string FileName(const std::string& timestamp, const std::string& productCode,
                                int attempt);

private:
    WindowsInstaller& m_installer;
    LogFiles* m_files;
    std::string m_timestamp;
    std::string m_folder;
    bool m_folderFailed = false;
    std::string m_current;
    std::string m_keptFolder;
};
