#pragma once

#include <map>
#include <string>
#include <vector>

#include "ivi/IviSystem.h"

// IviSystem over kernel32 and msi.dll, loaded from the system directory on first use.
class Win32IviSystem : public IviSystem {
public:
    FileReading ReadFile(const std::string& path, std::size_t limit, std::string* bytes) override;
    std::vector<std::string> ProductFiles(const char* productCode) override;
    void ForgetProducts() override;
    bool SamePath(const std::string& first, const std::string& second) override;
    std::string Utf8FromCodePage(const std::string& text) override;
    std::string CodePageFromUtf8(const std::string& text) override;

private:
    void CollectComponents();

    // Each product's components, gathered in one walk over every component of the machine:
    // Windows Installer tells a component's products, not a product's components.
    bool m_collected = false;
    std::map<std::wstring, std::vector<std::wstring>> m_components;
};
