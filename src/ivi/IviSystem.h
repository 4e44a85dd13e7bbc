#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What reading the IVI configuration needs of the system beyond the registry: the store's file,
// the files a Windows Installer product installed, and how Windows compares and converts names.
// Paths and names are UTF-8.
class IviSystem {
public:
    enum class FileReading { Read, Missing, TooLarge, Failed };

    virtual ~IviSystem() = default;

    // Reads the regular file at `path` whole into *bytes. Missing: there is no such file.
    // TooLarge: it holds more than `limit` bytes, and nothing was read. Failed: it is not a
    // regular file or could not be read.
    virtual FileReading ReadFile(const std::string& path, std::size_t limit,
                                 std::string* bytes) = 0;
    // The full paths of the files that are key paths of the product's components
    // (MsiGetComponentPath); empty for a product the installer does not know. What it learns of
    // the installed products may be kept until ForgetProducts, which each reading of the
    // configuration calls first.
    virtual std::vector<std::string> ProductFiles(const char* productCode) = 0;
    virtual void ForgetProducts() = 0;
    // Whether two full paths name the same file as Windows compares names: without regard to
    // case.
    virtual bool SamePath(const std::string& first, const std::string& second) = 0;
    // Registry texts in the system's ANSI code page as UTF-8, and back for the window.
    virtual std::string Utf8FromCodePage(const std::string& text) = 0;
    virtual std::string CodePageFromUtf8(const std::string& text) = 0;
};
