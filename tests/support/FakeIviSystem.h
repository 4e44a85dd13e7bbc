#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "ivi/IviSystem.h"

// In-memory files and installed products for the IVI configuration: a file is its bytes, or an
// answer that fails on purpose; a product is the list of its components' key paths. Paths compare
// without regard to ASCII case, and the code page is UTF-8.
class FakeIviSystem : public IviSystem {
public:
    std::map<std::string, std::string> files;
    std::map<std::string, FileReading> fileAnswers;
    std::map<std::string, std::vector<std::string>> productFiles;
    int reads = 0;

    FileReading ReadFile(const std::string& path, std::size_t limit, std::string* bytes) override {
        ++reads;
        const auto answer = fileAnswers.find(path);
        if (answer != fileAnswers.end()) return answer->second;
        const auto file = files.find(path);
        if (file == files.end()) return FileReading::Missing;
        if (file->second.size() > limit) return FileReading::TooLarge;
        *bytes = file->second;
        return FileReading::Read;
    }
    std::vector<std::string> ProductFiles(const char* productCode) override {
        const auto found = productFiles.find(productCode);
        return found == productFiles.end() ? std::vector<std::string>() : found->second;
    }
    void ForgetProducts() override {}
    bool SamePath(const std::string& first, const std::string& second) override {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return first.size() == second.size() &&
               std::equal(first.begin(), first.end(), second.begin(),
                          [&](char a, char b) { return lower(a) == lower(b); });
    }
    std::string Utf8FromCodePage(const std::string& text) override { return text; }
    std::string CodePageFromUtf8(const std::string& text) override { return text; }
};
