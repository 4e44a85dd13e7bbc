#pragma once

#include <string>
#include <vector>

#include "catalog/DriverField.h"
#include "catalog/DriverRecord.h"
#include "catalog/RegistryReader.h"
#include "installer/InstallerBinding.h"

class WindowsInstaller;

// The registry key below HKEY_LOCAL_MACHINE where every installed IVI driver registers itself.
extern const char* const kDriversKeyPath;

// The installed drivers, read from one registry key in both registry views and kept sorted by
// DriverRecord's order.
// Errors are std::runtime_error with fixed messages, thrown before anything changes.
// Texts handed out stay valid until the catalog is next changed (Reload, Filter) or destroyed.
class DriverCatalog {
public:
    DriverCatalog(RegistryReader& registry, WindowsInstaller& installer, const char* keyPath,
                  int capacity);
    virtual ~DriverCatalog();

    DriverCatalog(const DriverCatalog&) = delete;
    DriverCatalog& operator=(const DriverCatalog&) = delete;

    // Empties the catalog and reads the key again; returns Count. "Invalid root key" when the
    // key opens in neither view (the catalog is then empty).
    virtual int Reload();
    // "Invalid index" (checked first), "Unknown field".
    virtual const char* GetField(const DriverField& field, int index) const;
    // Index of the first record from `start` on whose field equals `text` exactly, or -1.
    // "Invalid index" for a start outside 0..Count-1, "Unknown field".
    virtual int FindIndex(const DriverField& field, const std::string& text, int start) const;
    // Keeps the records whose field equals `text`; an empty text keeps all. Returns Count.
    virtual int Filter(const DriverField& field, const std::string& text);
    // Removes the record's product through Windows Installer. Returns true when that FAILED.
    // The records are not changed. "Invalid index", on an empty catalog too.
    virtual bool Uninstall(int index);
    // Uninstall, giving the installer's final result and what it means (RemoveProductWithAnswer).
    RemovalAnswer UninstallWithAnswer(int index);
    // Deletes the record's registration: the value of its product code under the key, in each
    // view that holds one. Returns true when a view held it and none holds it any more; false
    // when a view refused, where the value may still be, and when no view held it (someone else
    // deleted it, or it was never where the record says). The records are not changed.
    // "Invalid index".
    bool DeleteRegistration(int index);

    int Count() const;
    // "Invalid index".
    const char* NameAt(int index) const;
    // "Invalid index".
    const DriverRecord& RecordAt(int index) const;

private:
    int Load();
    // Appends the records of the key in `view` to `records`; false when the key does not open.
    bool LoadView(RegistryView view, std::vector<DriverRecord>& records);
    void AddRecordsMissingFrom32BitView(std::vector<DriverRecord>& records64);
    void Clear();
    void Sort();
    void CheckIndex(int index) const;

    std::vector<DriverRecord> m_records;
    std::string m_keyPath;
    RegistryReader& m_registry;
    WindowsInstaller& m_installer;
};
