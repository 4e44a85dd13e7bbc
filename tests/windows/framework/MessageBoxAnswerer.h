#pragma once

#include <string>

#include "framework/win32/Win32Api.h"

// Answers the message boxes that open on this thread while it exists, as a user would: a CBT
// hook sees each box activated, reads its caption and text, and presses the given button. Any
// owned dialog counts as a box, so no other may open meanwhile; with `unowned`, any dialog
// without an owner instead.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int answer, bool unowned = false);
    ~MessageBoxAnswerer();

    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    int Seen() const { return m_seen; }
    const std::wstring& Caption() const { return m_caption; }
    const std::wstring& Text() const { return m_text; }
    // The icon the box shows (its static control 1088), null for none.
    HICON Icon() const { return m_icon; }
    HWND Owner() const { return m_owner; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND box);

    int m_answer;
    bool m_unowned;
    HHOOK m_hook;
    int m_seen = 0;
    std::wstring m_caption;
    std::wstring m_text;
    HWND m_owner = nullptr;
    HICON m_icon = nullptr;
};
