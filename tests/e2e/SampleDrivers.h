#pragma once

#include <set>
#include <string>
#include <vector>

// The sample drivers of sample-drivers.tsv, which the test's set-up step installed into the
// test's Wine prefix, and the means to put them back between tests.
struct SampleValue {
    // "package", "package64", "restart", "text", "text64" or "dword".
    std::string kind;
    std::string name;
    std::string data;

    bool IsPackage() const { return kind == "package" || kind == "package64" || kind == "restart"; }
    // Whether the value lives in the 64-bit registry view rather than the 32-bit one.
    bool In64BitView() const { return kind == "package64" || kind == "text64"; }
};

std::vector<SampleValue> SampleValues();
// The product codes of the package lines, of every kind.
std::vector<std::string> SamplePackages();

// Puts the drivers key and the installed products back as the definition has them: installs
// every sample product that is missing, writes every value that has no product, and deletes
// values that the definition does not have. Returns an empty text, or what went wrong.
std::string RestoreSampleDrivers();

bool IsProductInstalled(const std::string& productCode);

// A package that a test installs for itself, beside the samples, and removes again when it is
// done with it (without the program its removal runs), whatever the test did meanwhile.
class OwnPackage {
public:
    // `file`: its name in the packages folder, without ".msi"; `name`: its driver's name, which
    // is a driver for C.
    OwnPackage(std::string file, std::string productCode, std::string name);
    ~OwnPackage();

    OwnPackage(const OwnPackage&) = delete;
    OwnPackage& operator=(const OwnPackage&) = delete;

    // Empty, or what went wrong.
    std::string Install() const;
    const std::string& ProductCode() const { return m_productCode; }
    const std::string& Name() const { return m_name; }
    // Its line while the list shows the ADE.
    std::string Line() const { return m_name + "\tC"; }
    // The files in its folder now: fewer than it installed once its removal is under way.
    int InstalledFiles() const;

private:
    std::string m_file;
    std::string m_productCode;
    std::string m_name;
};
// The drivers key in the 32-bit registry view, or with `in64BitView` in the 64-bit one.
bool SetDriverValue(const std::string& name, const std::string& data);
bool DeleteDriverValue(const std::string& name, bool in64BitView = false);
std::vector<std::string> DriverValueNames(bool in64BitView = false);

// A path of this machine as Windows programs under Wine see it (the Z: drive).
std::string WindowsPath(const std::string& unixPath);
// The names of the files in `folder` now; with `folders`, of the folders whose names match
// `pattern` instead.
std::set<std::string> FilesIn(const std::string& folder, bool folders = false,
                              const std::string& pattern = "*");
