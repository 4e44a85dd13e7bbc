#include "ModuleResource.h"

std::vector<unsigned char> LoadModuleResource(LPCSTR type, int id) {
    HRSRC found = FindResourceExA(nullptr, type, MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
    if (bytes == nullptr) return {};
    return std::vector<unsigned char>(bytes, bytes + SizeofResource(nullptr, found));
}
