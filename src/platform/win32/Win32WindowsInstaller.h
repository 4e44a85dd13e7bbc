#pragma once

#include <cstdint>
#include <memory>

#include "installer/WindowsInstaller.h"

class LibraryLoader;

// WindowsInstaller over msi.dll, loaded from the system directory when constructed and bound at
// run time. Without msi.dll (or its entry points) removals fail and the UI level is left alone.
class Win32WindowsInstaller : public WindowsInstaller {
public:
    Win32WindowsInstaller();
    // Binds `libraryName` from the system directory instead of msi.dll; lets tests stand in a
    // library that is missing or lacks the entry points.
    explicit Win32WindowsInstaller(const char* libraryName);
    // Loads through `loader`, which lets tests take the loader's other path.
    Win32WindowsInstaller(LibraryLoader& loader, const char* libraryName);
    ~Win32WindowsInstaller() override;

    Win32WindowsInstaller(const Win32WindowsInstaller&) = delete;
    Win32WindowsInstaller& operator=(const Win32WindowsInstaller&) = delete;

    int SetInternalUi(int level, void** ownerWindow) override;
    unsigned ConfigureProduct(const char* productCode, int installLevel, int installState,
                              const char* commandLine) override;
    unsigned EnableLog(unsigned logMode, const char* logFile, unsigned attributes) override;
    int QueryProductState(const char* productCode) override;
    unsigned EnumProductsEx(const char* productCode) override;
    unsigned GetProductInfo(const char* productCode, const char* property, char* value,
                            std::uint32_t* valueLength) override;
    void WaitBeforeRetry(unsigned milliseconds) override;
    void WatchActions(InstallerActions* watcher) override;
    void RequestCancel() override;
    bool CancelRequested() override;
    void ClearCancelRequest() override;
    bool CancelGiven() override;

private:
    struct Library;
    std::unique_ptr<Library> m_library;
};
