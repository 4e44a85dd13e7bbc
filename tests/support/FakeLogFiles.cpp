#include "FakeLogFiles.h"

bool FakeLogFiles::CreateFolder(const std::string&) {
    if (refuseFolder) return false;
    folderExists = true;
    return true;
}

bool FakeLogFiles::CreateNewFile(const std::string& path) {
    if (refuseFiles || !folderExists) return false;
    return files.insert(path).second;
}
