#pragma once

#include <string>

// The program's own texts and box styles as the tests expect them, written out once: a test
// that spelled one differently would be testing a program nobody ships.
namespace product {

inline const char kAppName[] = "Calvorn";
inline const char kProgressCaption[] = "Remove Selected Drivers";
inline const char kAllItem[] = "<All>";
inline const char kPlaceholderLine[] = "No installed IVI drivers found";

inline const char kConfirmCaption[] = "Uninstall Drivers";
inline const char kConfirmSeveral[] = "Are you sure you want to uninstall all selected drivers?";
inline const char kFailureCaption[] = "Driver Not Uninstalled";
inline const char kAllRemoved[] = "All selected drivers were uninstalled successfully";
inline const char kSomeNotRemoved[] = "Some selected drivers could not be uninstalled successfully";
inline const char kRestartNeeded[] =
    "Restart the computer to finish uninstalling the selected drivers.";
inline const char kNotInstalledCaption[] = "Driver Not Installed";

inline std::string ConfirmOne(const std::string& name) {
    return "Are you sure you want to uninstall the " + name + " driver?";
}
inline std::string NotRemoved(const std::string& name) {
    return "The " + name + " driver could not be uninstalled successfully.";
}
inline std::string NotInstalled(const std::string& name) {
    return "The " + name +
           " driver is no longer installed. Do you want to remove it from the list?";
}
inline std::string LogsAreIn(const std::string& folder) {
    return "Windows Installer's logs of the drivers that could not be uninstalled are in " +
           folder + ".";
}

// One line per driver in each: "NAME (...)\n".
inline std::string InUse(const std::string& lines) {
    return "The IVI configuration uses these drivers:\n\n" + lines +
           "\nTest programs that open these names will fail once the drivers are uninstalled. "
           "Do you want to uninstall them anyway?";
}
inline std::string StillHeld(const std::string& lines) {
    return "The IVI configuration still refers to drivers that were uninstalled:\n\n" + lines +
           "\nChange or remove these entries with your IVI configuration tool.";
}
inline const char kOneRowUnmatched[] = "1 row of the list matches no driver shown.";
inline std::string RowsUnmatched(int rows) {
    return std::to_string(rows) + " rows of the list match no driver shown.";
}

inline const char kStopQuestion[] =
    "Do you want to stop uninstalling the selected drivers? The driver being uninstalled now is "
    "restored, and the drivers after it stay installed.";
inline const char kStopped[] =
    "The removal was stopped. The drivers that were not uninstalled are still selected.";
inline std::string Uninstalling(const std::string& name, int position, int count) {
    return "Uninstalling " + name + " (" + std::to_string(position) + " of " +
           std::to_string(count) + ")";
}

// MB_YESNO | MB_ICONQUESTION, MB_OK | MB_ICONERROR, MB_OK | MB_ICONINFORMATION, and the
// questions whose default is No (MB_DEFBUTTON2), one with MB_ICONWARNING.
constexpr unsigned kConfirmStyle = 0x24;
constexpr unsigned kErrorStyle = 0x10;
constexpr unsigned kInformationStyle = 0x40;
constexpr unsigned kStopStyle = 0x124;
constexpr unsigned kInUseStyle = 0x134;

}  // namespace product
