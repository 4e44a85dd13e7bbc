#pragma once

#include <string>

// Writes UTF-8 text to a standard handle (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE): as Unicode to a
// console, as UTF-8 without a byte-order mark to a file or a pipe.
void WriteToStandardHandle(unsigned long standardHandle, const std::string& text);
