#pragma once

#include <string>

class WindowsInstaller;

// An installed product's version (its ProductVersion) in the installer's code page; empty when
// the installer does not have it or cannot say.
std::string ProductVersion(WindowsInstaller& installer, const std::string& productCode);
// The day the product was installed or last serviced, as YYYY-MM-DD; empty when the installer
// does not have it or cannot say.
std::string ProductInstallDate(WindowsInstaller& installer, const std::string& productCode);

// The installer's YYYYMMDD as YYYY-MM-DD; any other text (a different length, anything but
// digits, a day that is not in the calendar) gives an empty date.
std::string IsoDateOf(const std::string& installDate);
