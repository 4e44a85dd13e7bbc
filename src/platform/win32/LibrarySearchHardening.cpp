#include "platform/win32/LibrarySearchHardening.h"

#include "installer/SystemLibrary.h"
#include "platform/win32/Win32LibraryLoader.h"

void HardenLibrarySearch() {
    Win32LibraryLoader loader;
    RestrictLibrarySearch(loader);
}
