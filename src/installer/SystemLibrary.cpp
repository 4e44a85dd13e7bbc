#include "installer/SystemLibrary.h"

void* LoadSystemLibrary(LibraryLoader& loader, const char* name) {
    if (loader.CanSearchSystemDirectoryOnly()) return loader.LoadFromSystemDirectory(name);
    std::string path = loader.SystemDirectory();
    if (path.empty()) return nullptr;
    if (path.back() != '\\') path += '\\';
    path += name;
    return loader.LoadFromPath(path.c_str());
}
