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
    // LoadLibraryExA of an absolute path, its dependencies looked for beside it; null on failure,
    // as when there is no such file.
    virtual void* LoadFromPath(const char* path) = 0;
    // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32), found in kernel32 at run time: every
    // later search for a DLL in the process, also by system code and for dependents, looks in
    // the system directory only. False where kernel32 lacks it (the same update as above).
    virtual bool SearchSystemDirectoryOnlyFromNowOn() = 0;
    // SetDllDirectoryW(L""): takes the current directory out of the search for bare names.
    virtual void RemoveCurrentDirectoryFromSearch() = 0;
};

// Loads the DLL `name` from the system directory and from nowhere else: never by its bare name,
// which would find a DLL of that name planted beside the program. Null when it cannot.
void* LoadSystemLibrary(LibraryLoader& loader, const char* name);

// Keeps a DLL planted beside the program out of the process for good; the first thing a program
// does. Restricts the search to the system directory (where the loader cannot, takes the current
// directory out of it), then loads each DLL that system code in this process loads by bare name
// by its full path in the system directory, each after the ones it imports, so that a later load by
// bare name finds it in memory: on every system, as some system DLLs resolve their imports past the
// restricted search. A DLL the system lacks is passed over.
void RestrictLibrarySearch(LibraryLoader& loader);
