#pragma once

#include <windows.h>

#include <vector>

// The bytes of a resource of this program's own module in U.S. English (1033); empty when the
// module has no such resource.
std::vector<unsigned char> LoadModuleResource(LPCSTR type, int id);
