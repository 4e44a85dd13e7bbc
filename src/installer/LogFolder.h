#pragma once

#include <memory>
#include <string>

class HeldFile;
class LogFiles;

// Where the logs of a pass go. By default the folder "Calvorn" in the temporary folder that
// GetTempPath2 gives where the system has it, which for SYSTEM is one that only SYSTEM can use;
// GetTempPath's elsewhere. A folder made there is `restricted`. A named folder is taken as it
// is, made absolute; made there, it takes the permissions of the folder it is made in, so that
// a file server's own permissions hold on a share.
struct LogFolderChoice {
    std::string path;  // empty when there is no temporary folder
    bool restricted = false;
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

// The chosen folder, made unless it is there, and held open when it is a folder and no
// redirection, judged by its path and again through the open handle. Null, with `refusal`
// saying why, otherwise.
std::unique_ptr<HeldFile> HoldLogFolder(LogFiles& files, const LogFolderChoice& choice,
                                        LogFolderRefusal& refusal);

// `name` inside `folder`, with one separator between them.
std::string PathInFolder(const std::string& folder, const std::string& name);
