#pragma once

#include <memory>
#include <optional>
#include <string>

// What the system says a file or folder is.
struct FileKind {
    bool directory = false;
    // A junction, symbolic link or mount point: a name that leads somewhere else.
    bool reparsePoint = false;
};

// A file or folder held open without delete sharing: while it is held, nobody can delete or
// rename it, nor put a link in its place. Closed when destroyed.
class HeldFile {
public:
    virtual ~HeldFile() = default;
    // What it is, as its open handle reports it; nullopt where the system does not report that
    // on a handle.
    virtual std::optional<FileKind> Kind() = 0;
    // Whether it holds no bytes; false when that cannot be told.
    virtual bool IsEmpty() = 0;
    // Deletes what this handle holds, never what its name may lead to by now; it is gone once
    // this is destroyed. False when it stays (a folder that is not empty, say).
    virtual bool Remove() = 0;
};

// What keeping Windows Installer's logs needs of the file system. Paths are UTF-8.
class LogFiles {
public:
    virtual ~LogFiles() = default;

    // The temporary folder GetTempPath2 gives (for SYSTEM, one only SYSTEM can use), nullopt
    // where the system lacks the call; empty when it fails.
    virtual std::optional<std::string> TempPath2() = 0;
    // The temporary folder GetTempPath gives; empty when it fails.
    virtual std::string TempPath() = 0;
    // `path` made absolute against the current folder; empty when it cannot be.
    virtual std::string FullPath(const std::string& path) = 0;

    // Creates the folder `path`. With `restricted`, its DACL gives full control to SYSTEM and
    // Administrators and read and list to this process's user, nothing inherited, from the
    // moment it exists. False when nothing was made, also when something of that name is there.
    virtual bool CreateFolder(const std::string& path, bool restricted) = 0;
    // What `path` itself is, a link not followed; nullopt when nothing is there or it cannot be
    // told.
    virtual std::optional<FileKind> KindOf(const std::string& path) = 0;
    // Opens `path` itself as a folder, a link not followed, and holds it, sharing it for reading
    // only, so that nobody can write to it (make it a mount point) meanwhile; `removable` asks for
    // the right to remove it. Null when it cannot be opened.
    virtual std::unique_ptr<HeldFile> HoldFolder(const std::string& path, bool removable) = 0;
    // Creates `path` as a new empty file and holds it, still open for the installer to write
    // to; null when something of that name exists already or the file cannot be made. Never
    // replaces a file.
    virtual std::unique_ptr<HeldFile> CreateNewFile(const std::string& path) = 0;

    // `path` in the ANSI code page, as the window shows texts; a character the code page lacks
    // shows as '?'.
    virtual std::string InCodePage(const std::string& path) = 0;
    // The local date and time now, as YYYYMMDD-HHMMSS.
    virtual std::string LocalTimestamp() = 0;
};
