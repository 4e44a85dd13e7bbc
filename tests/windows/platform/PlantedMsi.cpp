// A stand-in for msi.dll placed beside the test program: if the binding ever loads it, every
// answer is kPlantedResult, which no real installer gives.
#include <windows.h>

#include "PlatformTestPackage.h"

extern "C" {

__declspec(dllexport) int WINAPI MsiSetInternalUI(int, HWND*) { return kPlantedResult; }

__declspec(dllexport) UINT WINAPI MsiConfigureProductExA(LPCSTR, int, int, LPCSTR) {
    return kPlantedResult;
}
}
