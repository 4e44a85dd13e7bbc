#pragma once

#include <string>

#include "installer/SystemLibrary.h"

// LibraryLoader over kernel32.
class Win32LibraryLoader : public LibraryLoader {
public:
    bool CanSearchSystemDirectoryOnly() override;
    void* LoadFromSystemDirectory(const char* name) override;
    std::string SystemDirectory() override;
    void* LoadFromPath(const char* path) override;
    bool SearchSystemDirectoryOnlyFromNowOn() override;
    void RemoveCurrentDirectoryFromSearch() override;
};
