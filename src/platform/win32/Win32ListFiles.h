#pragma once

#include <string>

// Driver lists on disk, paths in UTF-8. A list larger than kMaxListFileSize is refused: no lab
// has that many drivers, and the whole file is held in memory.
constexpr unsigned long kMaxListFileSize = 16ul * 1024 * 1024;

bool ReadListFile(const std::string& path, std::string& content);
// Writes `content` as the whole file. Refuses a file that is a link of any kind, so that a file
// an elevated program writes is the one its user chose, never one a link leads to.
bool WriteListFile(const std::string& path, const std::string& content);
