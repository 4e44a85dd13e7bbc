#pragma once

#include <windows.h>

// An entry point of a DLL loaded at run time, as the function type it has; null when the module
// is null or lacks it. GetProcAddress hands out one generic function type; going through
// void(*)() first is the conversion compilers accept without a cast-function-type warning.
template <typename Entry>
Entry ResolveEntryPoint(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
