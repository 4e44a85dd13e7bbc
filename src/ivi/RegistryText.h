#pragma once

#include <string>

#include "catalog/RegistryReader.h"

// Reads the text value `name` (empty for the key's default value) of `path` in `view`, without
// regard to the name's case, as the registry compares them. Returns false when the key or the
// value is not there; the text ends at its first NUL.
bool ReadRegistryText(RegistryReader& registry, const std::string& path, RegistryView view,
                      const std::string& name, std::string* text);
