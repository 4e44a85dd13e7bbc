#pragma once

#include <string>

// Text in the system's ANSI code page (single- or double-byte) as UTF-8. Bytes the code page
// does not define come out as a replacement character, never as invalid UTF-8.
std::string Utf8FromAnsi(const char* text);
// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(const wchar_t* text);
std::wstring WideFromUtf8(const std::string& text);
// UTF-8 as text in the ANSI code page; a character the code page lacks becomes '?'.
std::string AnsiFromUtf8(const std::string& text);
