#pragma once

#include <memory>
#include <string>

#include "installer/InstallerBinding.h"
#include "installer/LogFolder.h"

class HeldFile;
class LogFiles;
class WindowsInstaller;

// Windows Installer's verbose log of each removal of one pass, in a file of its own, kept only
// for the removals that fail: what an administrator asks for first when a driver will not go.
// Logging never changes an outcome; a log that cannot be written is simply not there. The
// folder is held from the first log until the pass ends, each log from its creation until the
// installer is done with it. A folder made for the pass goes at its end unless it keeps a log.
class RemovalLogs {
public:
    // The pass starts now: every log's name begins with this moment. Without `files`, nothing is
    // logged. The logs go to `namedFolder` when one is given (see ChooseLogFolder).
    RemovalLogs(WindowsInstaller& installer, LogFiles* files, std::string namedFolder = {});
    ~RemovalLogs();

    RemovalLogs(const RemovalLogs&) = delete;
    RemovalLogs& operator=(const RemovalLogs&) = delete;

    // Before the removal of `productCode`: a new log file, and the installer asked to write to it.
    void Begin(const std::string& productCode);
    // After it: logging stops, and the log is kept only when the removal failed. Returns the
    // kept log's path, or an empty text.
    std::string End(RemovalOutcome outcome);

    // The logs' folder once a log of this pass is kept; empty before.
    const std::string& KeptFolder() const { return m_keptFolder; }
    // Why this pass keeps no logs at all, once the folder was refused; and the folder refused.
    LogFolderRefusal Refusal() const { return m_refusal; }
    const std::string& Folder() const { return m_folder.path; }

    // The name of a log: the pass's start where the folder does not tell it (`timestamp` empty
    // where it does), then the product code when it has a product code's form (a braced GUID),
    // which keeps a value name of any other text out of the file system; `attempt` tells apart
    // the names tried when one is taken.
    static std::string FileName(const std::string& timestamp, const std::string& productCode,
                                int attempt);

private:
    WindowsInstaller& m_installer;
    LogFiles* m_files;
    std::string m_namedFolder;
    std::string m_timestamp;
    HeldLogFolder m_folder;
    LogFolderRefusal m_refusal = LogFolderRefusal::None;
    std::string m_current;
    std::unique_ptr<HeldFile> m_heldCurrent;
    std::string m_keptFolder;
};
