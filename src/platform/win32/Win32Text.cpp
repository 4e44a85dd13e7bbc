#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace {

std::wstring WideFrom(UINT codePage, const char* text, int length) {
    if (length == 0) return {};
    const int wideLength = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (wideLength <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, text, length, &wide[0], wideLength);
    return wide;
}

}  // namespace

std::string Utf8FromWide(const wchar_t* text) {
    const int length = static_cast<int>(wcslen(text));
    if (length == 0) return {};
    const int utf8Length =
        WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (utf8Length <= 0) return {};
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, &utf8[0], utf8Length, nullptr, nullptr);
    return utf8;
}

std::string Utf8FromAnsi(const char* text) {
    const std::wstring wide = WideFrom(CP_ACP, text, static_cast<int>(strlen(text)));
    return Utf8FromWide(wide.c_str());
}

std::wstring WideFromUtf8(const std::string& text) {
    return WideFrom(CP_UTF8, text.data(), static_cast<int>(text.size()));
}

std::string AnsiFromUtf8(const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    const int length = static_cast<int>(wide.size());
    if (length == 0) return {};
    const int ansiLength =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0) return {};
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &ansi[0], ansiLength, nullptr, nullptr);
    return ansi;
}
