#include "installer/SystemLibrary.h"

namespace {

// Measured with the loader's trace of a whole run (start-up, filters, a removal, Done) and
// completed with the DLLs reported planted against other elevated programs.
const char* const kLibrariesLoadedByName[] = {
    "msimg32.dll", "uxtheme.dll", "dwmapi.dll",  "version.dll", "cryptbase.dll",
    "cryptsp.dll", "profapi.dll", "userenv.dll", "ntmarta.dll", "wtsapi32.dll",
    "winmm.dll",   "apphelp.dll", "propsys.dll", "oleacc.dll",  "cfgmgr32.dll",
};

std::string PathInSystemDirectory(LibraryLoader& loader, const char* name) {
    std::string path = loader.SystemDirectory();
    if (path.empty()) return path;
    if (path.back() != '\\') path += '\\';
    return path + name;
}

}  // namespace

void* LoadSystemLibrary(LibraryLoader& loader, const char* name) {
    if (loader.CanSearchSystemDirectoryOnly()) return loader.LoadFromSystemDirectory(name);
    const std::string path = PathInSystemDirectory(loader, name);
    return path.empty() ? nullptr : loader.LoadFromPath(path.c_str());
}

void RestrictLibrarySearch(LibraryLoader& loader) {
    if (!loader.SearchSystemDirectoryOnlyFromNowOn()) loader.RemoveCurrentDirectoryFromSearch();
    for (const char* name : kLibrariesLoadedByName) {
        const std::string path = PathInSystemDirectory(loader, name);
        if (!path.empty()) loader.LoadFromPath(path.c_str());
    }
}
