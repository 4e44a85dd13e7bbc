#pragma once

#include <string>

// Whether `name` matches `pattern` as a whole, where `*` stands for any run of characters and
// `?` for exactly one, without regard to letter case as Windows compares file names: character
// by character through one upper-case mapping, independent of the locale. Both are UTF-8; a
// byte that is not part of a UTF-8 character matches only itself.
bool MatchesNamePattern(const std::string& name, const std::string& pattern);
