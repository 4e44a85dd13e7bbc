#pragma once

#include <memory>
#include <string>

class HeldFile;
class LogFiles;

// Where the logs of a pass go. A folder the administrator names is taken as it is, made
// absolute; made there, it takes the permissions of the folder it is made in, so that a file
// server's own permissions hold on a share. Otherwise each pass makes a folder of its own in the
// temporary folder that GetTempPath2 gives where the system has it, which for SYSTEM is one that
// only SYSTEM can use; GetTempPath's elsewhere.
struct LogFolderChoice {
    // The named folder, or the temporary folder; empty when there is no temporary folder.
    std::string path;
    bool named = false;
};

LogFolderChoice ChooseLogFolder(LogFiles& files, const std::string& namedFolder);

// Why a folder gets no logs.
enum class LogFolderRefusal {
    None,
    NoTemporaryFolder,
    Missing,  // not there, and it could not be made
    NotAFolder,
    Redirection,  // a junction, symbolic link or mount point
    NotOpened,
};

// The folder that holds a pass's logs, held open from the moment it is taken until the pass ends.
struct HeldLogFolder {
    std::string path;  // also the folder refused
    std::unique_ptr<HeldFile> held;
    // Made for this pass, with a DACL of its own; removed at its end unless it keeps a log.
    bool madeForPass = false;
};

// The chosen folder, held open when it is a folder and no redirection, judged by its path and
// again through the open handle. A named folder is made unless it is there; in the temporary
// folder a new one is made, named "Calvorn-" and `timestamp`, never one whose name is taken. No
// `held`, with `refusal` saying why, otherwise.
HeldLogFolder HoldLogFolder(LogFiles& files, const LogFolderChoice& choice,
                            const std::string& timestamp, LogFolderRefusal& refusal);

// `name` inside `folder`, with one separator between them.
std::string PathInFolder(const std::string& folder, const std::string& name);
