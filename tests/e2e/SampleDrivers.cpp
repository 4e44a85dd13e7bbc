#include "SampleDrivers.h"

#include <windows.h>

#include <msi.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>

namespace {

const char kDriversKey[] = "SOFTWARE\\Velmora\\IVI\\Drivers";

HKEY OpenDriversKey(bool in64BitView) {
    const REGSAM view = in64BitView ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDriversKey, 0, nullptr, 0, KEY_READ | KEY_WRITE | view,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

bool SetValue(const SampleValue& value) {
    HKEY key = OpenDriversKey(value.In64BitView());
    if (key == nullptr) return false;
    LONG result;
    if (value.kind == "dword") {
        const DWORD number = static_cast<DWORD>(std::stoul(value.data));
        result = RegSetValueExA(key, value.name.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&number), sizeof number);
    } else {
        result = RegSetValueExA(key, value.name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.data.c_str()),
                                static_cast<DWORD>(value.data.size() + 1));
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::string PackagePath(const std::string& productCode) {
    return WindowsPath(CALVORN_SAMPLE_PACKAGES) + "\\" + productCode + ".msi";
}

}  // namespace

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::set<std::string> FilesIn(const std::string& folder, bool folders, const std::string& pattern) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder == folders) names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::vector<SampleValue> SampleValues() {
    std::vector<SampleValue> values;
    std::ifstream definition(WindowsPath(CALVORN_SAMPLE_DEFINITION));
    std::string line;
    while (std::getline(definition, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        SampleValue value;
        std::getline(fields, value.kind, '\t');
        std::getline(fields, value.name, '\t');
        std::getline(fields, value.data);
        values.push_back(value);
    }
    return values;
}

std::vector<std::string> SamplePackages() {
    std::vector<std::string> codes;
    for (const SampleValue& value : SampleValues()) {
        if (value.IsPackage()) codes.push_back(value.name);
    }
    return codes;
}

bool IsProductInstalled(const std::string& productCode) {
    return MsiQueryProductStateA(productCode.c_str()) == INSTALLSTATE_DEFAULT;
}

bool SetDriverValue(const std::string& name, const std::string& data) {
    return SetValue({"text", name, data});
}

bool DeleteDriverValue(const std::string& name, bool in64BitView) {
    HKEY key = OpenDriversKey(in64BitView);
    if (key == nullptr) return false;
    const LONG result = RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::vector<std::string> DriverValueNames(bool in64BitView) {
    std::vector<std::string> names;
    HKEY key = OpenDriversKey(in64BitView);
    if (key == nullptr) return names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

std::string RestoreSampleDrivers() {
    const std::vector<SampleValue> values = SampleValues();
    if (values.empty()) return "no sample drivers defined in " CALVORN_SAMPLE_DEFINITION;
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    for (const SampleValue& value : values) {
        if (value.IsPackage()) {
            if (IsProductInstalled(value.name)) continue;
            const UINT result = MsiInstallProductA(PackagePath(value.name).c_str(), "");
            if (result != ERROR_SUCCESS) {
                return "installing " + value.name + " failed with " + std::to_string(result);
            }
        } else if (!SetValue(value)) {
            return "writing the value " + value.name + " failed";
        }
    }
    for (bool in64BitView : {false, true}) {
        for (const std::string& name : DriverValueNames(in64BitView)) {
            const bool defined =
                std::any_of(values.begin(), values.end(), [&](const SampleValue& value) {
                    return value.name == name && value.In64BitView() == in64BitView;
                });
            if (!defined && !DeleteDriverValue(name, in64BitView)) {
                return "deleting the value " + name + " failed";
            }
        }
    }
    return {};
}

OwnPackage::OwnPackage(std::string file, std::string productCode, std::string name)
    : m_file(std::move(file)), m_productCode(std::move(productCode)), m_name(std::move(name)) {}

OwnPackage::~OwnPackage() {
    if (!IsProductInstalled(m_productCode)) return;
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    MsiConfigureProductExA(m_productCode.c_str(), INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT,
                           "CALVORN_TEST_CLEANUP=1 REBOOT=ReallySuppress");
}

int OwnPackage::InstalledFiles() const {
    // Every own package is an x64 one, in the 64-bit program files of this 64-bit test.
    char programFiles[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
    return static_cast<int>(FilesIn(std::string(programFiles) + "\\Velmora\\" + m_file).size());
}

std::string OwnPackage::Install() const {
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    const std::string path = WindowsPath(CALVORN_SAMPLE_PACKAGES) + "\\" + m_file + ".msi";
    const UINT result = MsiInstallProductA(path.c_str(), "");
    if (result == ERROR_SUCCESS) return {};
    return "installing " + path + " failed with " + std::to_string(result);
}
