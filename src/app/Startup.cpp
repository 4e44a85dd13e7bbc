// Process start-up and exit.
//
// Objects with static storage in one translation unit are constructed in the order of their
// definitions and destroyed in the reverse order, which is the order the program relies on:
// the DLL search is hardened first, before anything can load a DLL, then the runtime's code page
// is set, then the instance guard is set up, then the application object is constructed; at exit
// the application object goes first and the guard's handle is closed last.

#include <windows.h>

#include <mbctype.h>

#include "app/InstanceGuard.h"
#include "app/ManagerApp.h"
#include "platform/win32/LibrarySearchHardening.h"

namespace {

struct LibrarySearch {
    LibrarySearch() { HardenLibrarySearch(); }
};

// The filters compare texts with the runtime's multibyte functions, which must follow the
// system's ANSI code page rather than the runtime's single-byte default.
struct RuntimeCodePage {
    RuntimeCodePage() { _setmbcp(_MB_CP_ANSI); }
};

struct InstanceGuardLifetime {
    InstanceGuardLifetime() { SetUpInstanceGuard(); }
    ~InstanceGuardLifetime() { ReleaseInstanceGuard(); }

    InstanceGuardLifetime(const InstanceGuardLifetime&) = delete;
    InstanceGuardLifetime& operator=(const InstanceGuardLifetime&) = delete;
};

const LibrarySearch g_librarySearch;
const RuntimeCodePage g_runtimeCodePage;
const InstanceGuardLifetime g_instanceGuardLifetime;
ManagerApp g_application;

}  // namespace

// The program takes nothing from its command line.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return g_application.Run(instance);
}
