#include "MessageBoxes.h"

#include "Polling.h"
#include "RemoteWindows.h"

namespace {

// Wine's message box keeps its text in a static control without an identifier and its icon in
// a static control of its own; no other window of the program has the latter.
constexpr int kTextControlId = 0xFFFF;
constexpr int kIconControlId = 1088;

bool IsMessageBox(HWND window) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770" && GetDlgItem(window, kIconControlId) != nullptr &&
           GetDlgItem(window, kTextControlId) != nullptr;
}

using Pixels = std::vector<COLORREF>;

Pixels ReadPixels(HDC source, int x, int y, int size) {
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size, size, source, x, y, SRCCOPY);
    Pixels pixels;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column)
            pixels.push_back(GetPixel(memory, column, row));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

Pixels DrawnIcon(HICON icon, int size, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT area = {0, 0, size, size};
    FillRect(memory, &area, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    Pixels pixels = ReadPixels(memory, 0, 0, size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Share of the icon's opaque pixels (those that do not change with the background) that the
// screen shows exactly.
double Match(const Pixels& screen, HICON candidate, int size) {
    const Pixels onBlack = DrawnIcon(candidate, size, RGB(0, 0, 0));
    const Pixels onWhite = DrawnIcon(candidate, size, RGB(255, 255, 255));
    int opaque = 0;
    int equal = 0;
    for (size_t i = 0; i < screen.size(); ++i) {
        if (onBlack[i] != onWhite[i]) continue;
        ++opaque;
        if (screen[i] == onBlack[i]) ++equal;
    }
    return opaque == 0 ? 0.0 : static_cast<double>(equal) / opaque;
}

// Which system icon the box shows, told by its pixels on the screen: icon handles do not
// cross processes.
std::string IconName(HWND box) {
    HWND icon = GetDlgItem(box, kIconControlId);
    if (icon == nullptr || !IsWindowVisible(icon) || SendMessageW(icon, STM_GETICON, 0, 0) == 0) {
        return "none";
    }
    const int size = GetSystemMetrics(SM_CXICON);
    POINT origin = {0, 0};
    ClientToScreen(icon, &origin);
    HDC screenDc = GetDC(nullptr);
    const Pixels screen = ReadPixels(screenDc, origin.x, origin.y, size);
    ReleaseDC(nullptr, screenDc);

    struct Candidate {
        const char* name;
        LPCSTR id;
    };
    const Candidate candidates[] = {{"error", IDI_ERROR},
                                    {"question", IDI_QUESTION},
                                    {"warning", IDI_WARNING},
                                    {"information", IDI_INFORMATION}};
    std::string best = "other";
    double bestMatch = 0.9;
    for (const Candidate& candidate : candidates) {
        const double match = Match(screen, LoadIconA(nullptr, candidate.id), size);
        if (match > bestMatch) {
            bestMatch = match;
            best = candidate.name;
        }
    }
    return best;
}

}  // namespace

std::vector<HWND> OpenMessageBoxes(DWORD processId) {
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindows(processId)) {
        if (IsMessageBox(window)) boxes.push_back(window);
    }
    return boxes;
}

ShownMessageBox WaitForMessageBox(DWORD processId, HWND owner) {
    ShownMessageBox box;
    WaitUntil([&] {
        for (HWND window : OpenMessageBoxes(processId)) {
            if (GetWindow(window, GW_OWNER) == owner) box.window = window;
        }
        return box.window != nullptr;
    });
    if (box.window == nullptr) return box;
    // The box is read once it stands complete on the screen.
    WaitUntil([&] { return IsWindowVisible(box.window) && !WindowText(box.window).empty(); });
    box.owner = GetWindow(box.window, GW_OWNER);
    box.caption = WindowText(box.window);
    box.text = ControlText(box.window, kTextControlId);
    // Another program's window may lie over the icon for a moment (the display is shared with
    // other tests), so an icon that matches none is looked at again.
    WaitUntil(
        [&] {
            box.icon = IconName(box.window);
            return box.icon != "other";
        },
        10000);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(box.window, id);
        if (button != nullptr && IsWindowVisible(button)) box.buttons.push_back(id);
    }
    return box;
}

bool Answer(const ShownMessageBox& box, int buttonId) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
    return WaitUntil([&] { return IsWindow(box.window) == FALSE; });
}
