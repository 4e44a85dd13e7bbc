// The baseline that scripts/bench measures Calvorn against: the least a program can do for the
// same window. It reads the drivers key with RegEnumValueA, splits each value, and fills the
// main window's own template (same controls, same styles) with redrawing off during each fill.
// Filter changes and Refresh refill it; Remove asks the same question, removes the selected
// products with MsiConfigureProductExA one after another and ends with the same summary.
//
//   calvorn_bench_bare           the window
//   calvorn_bench_bare enumerate only reads the key, then ends
#include <windows.h>

#include <msi.h>

#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "res/resource.h"

namespace {

struct Driver {
    std::string code;
    std::string fields[4];  // name, class, ADE, manufacturer
};

std::vector<Driver> g_drivers;

void Load() {
    g_drivers.clear();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora\\IVI\\Drivers", 0,
                      KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
        return;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        char data[257];
        DWORD dataSize = 256;
        const LONG result = RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(data), &dataSize);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) break;
        data[dataSize] = '\0';
        Driver driver{name, {}};
        int found = 0;
        for (char* field = std::strtok(data, ";"); field && found < 4;
             field = std::strtok(nullptr, ";")) {
            driver.fields[found++] = field;
        }
        if (found == 4) g_drivers.push_back(std::move(driver));
    }
    RegCloseKey(key);
}

class Redraw {
public:
    explicit Redraw(HWND control) : m_control(control) {
        SendMessageA(m_control, WM_SETREDRAW, FALSE, 0);
    }
    ~Redraw() {
        SendMessageA(m_control, WM_SETREDRAW, TRUE, 0);
        // As WM_SETREDRAW's documentation asks: frame and scroll bar included.
        RedrawWindow(m_control, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }

private:
    HWND m_control;
};

const int kFilters[] = {IDC_CLASS_FILTER, IDC_ADE_FILTER, IDC_MANUFACTURER_FILTER};
const int kFilterFields[] = {1, 2, 3};

void FillFilters(HWND dialog) {
    for (int filter = 0; filter < 3; ++filter) {
        HWND combo = GetDlgItem(dialog, kFilters[filter]);
        const Redraw redraw(combo);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        SendMessageA(combo, CB_SETITEMDATA, SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("<All>")),
                     0);
        std::unordered_set<std::string> seen;
        for (const Driver& driver : g_drivers) {
            const std::string& text = driver.fields[kFilterFields[filter]];
            if (!seen.insert(text).second) continue;
            const LRESULT position =
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageA(combo, CB_SETITEMDATA, position, reinterpret_cast<LPARAM>(&text));
        }
        // The combo sorts, so "<All>" need not be first.
        SendMessageA(combo, CB_SETCURSEL,
                     SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>("<All>")),
                     0);
    }
}

const std::string* FilterText(HWND dialog, int filter) {
    HWND combo = GetDlgItem(dialog, filter);
    const LRESULT position = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return reinterpret_cast<const std::string*>(SendMessageA(combo, CB_GETITEMDATA, position, 0));
}

void FillList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_DRIVER_LIST);
    const Redraw redraw(list);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const std::string* filters[3];
    for (int filter = 0; filter < 3; ++filter)
        filters[filter] = FilterText(dialog, kFilters[filter]);
    for (std::size_t index = 0; index < g_drivers.size(); ++index) {
        const Driver& driver = g_drivers[index];
        bool matches = true;
        for (int filter = 0; filter < 3; ++filter) {
            if (filters[filter] && *filters[filter] != driver.fields[kFilterFields[filter]])
                matches = false;
        }
        if (!matches) continue;
        std::string line = driver.fields[0];
        if (!filters[1]) line += "\t" + driver.fields[2];
        const LRESULT position =
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SendMessageA(list, LB_SETITEMDATA, position, static_cast<LPARAM>(index));
    }
}

void Remove(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_DRIVER_LIST);
    if (SendMessageA(list, LB_GETSELCOUNT, 0, 0) <= 0) return;
    if (MessageBoxA(dialog, "Are you sure you want to uninstall all selected drivers?",
                    "Uninstall Drivers", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    int failures = 0;
    for (int line = 0; line < SendMessageA(list, LB_GETCOUNT, 0, 0); ++line) {
        if (SendMessageA(list, LB_GETSEL, line, 0) <= 0) continue;
        const auto index = static_cast<std::size_t>(SendMessageA(list, LB_GETITEMDATA, line, 0));
        if (MsiConfigureProductExA(g_drivers[index].code.c_str(), 0, INSTALLSTATE_ABSENT,
                                   "REBOOT=ReallySuppress") == ERROR_SUCCESS) {
            SendMessageA(list, LB_DELETESTRING, line--, 0);
        } else {
            ++failures;
        }
    }
    MessageBoxA(dialog,
                failures == 0 ? "All selected drivers were uninstalled successfully"
                              : "Some selected drivers could not be uninstalled successfully",
                "Calvorn", failures == 0 ? MB_OK : MB_OK | MB_ICONERROR);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            static const int kTabStop = 48;
            SendDlgItemMessageA(dialog, IDC_DRIVER_LIST, LB_SETTABSTOPS, 1,
                                reinterpret_cast<LPARAM>(&kTabStop));
            Load();
            FillFilters(dialog);
            FillList(dialog);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_CLASS_FILTER:
                case IDC_MANUFACTURER_FILTER:
                case IDC_ADE_FILTER:
                    if (HIWORD(wParam) == CBN_SELCHANGE) FillList(dialog);
                    return TRUE;
                case IDC_REFRESH:
                    Load();
                    FillFilters(dialog);
                    FillList(dialog);
                    return TRUE;
                case IDC_REMOVE:
                    Remove(dialog);
                    return TRUE;
                case IDOK:
                case IDCANCEL:
                    EndDialog(dialog, LOWORD(wParam));
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (std::strcmp(commandLine, "enumerate") == 0) {
        Load();
        return static_cast<int>(g_drivers.size() % 256);
    }
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MANAGER), nullptr, DialogProc, 0);
    return 0;
}
