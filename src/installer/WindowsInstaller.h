#pragma once

// The two Windows Installer (msi.dll) calls the installer binding makes.
class WindowsInstaller {
public:
    virtual ~WindowsInstaller() = default;

    // MsiSetInternalUI: sets the user-interface level of this process's later installer actions.
    // `ownerWindow` points to a variable holding the owner window's handle; the installer may
    // write the previous owner into it. Returns the previous level.
    virtual int SetInternalUi(int level, void** ownerWindow) = 0;

    // MsiConfigureProductExA: sets the install state of an installed product. Returns 0 on
    // success and the installer's error code otherwise (3010: done, restart required).
    virtual unsigned ConfigureProduct(const char* productCode, int installLevel, int installState,
                                      const char* commandLine) = 0;
};
