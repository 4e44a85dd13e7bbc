#pragma once

#include <string>

// What loading a DLL from the system directory needs of the Windows loader (kernel32).
class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;

    // Whether LoadLibraryExA takes LOAD_LIBRARY_SEARCH_SYSTEM32. It came with the loader update
    // that added AddDllDirectory (KB2533623), which Windows Vista and 7 may lack; without it the
    // flag is refused with ERROR_INVALID_PARAMETER.
    virtual bool CanSearchSystemDirectoryOnly() = 0;
    // LoadLibraryExA(name, LOAD_LIBRARY_SEARCH_SYSTEM32); null on failure.
    virtual void* LoadFromSystemDirectory(const char* name) = 0;
    // GetSystemDirectoryA; empty on failure.
    virtual std::string SystemDirectory() = 0;
    // LoadLibraryExA of an absolute path, its dependencies looked for beside it; null on failure.
    virtual void* LoadFromPath(const char* path) = 0;
};

// Loads the DLL `name` from the system directory and from nowhere else: never by its bare name,
// which would find a DLL of that name planted beside the program. Null when it cannot.
void* LoadSystemLibrary(LibraryLoader& loader, const char* name);
