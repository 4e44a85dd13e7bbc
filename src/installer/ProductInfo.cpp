#include "installer/ProductInfo.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "installer/WindowsInstaller.h"

namespace {

constexpr unsigned kSuccess = 0;
constexpr unsigned kMoreData = 234;  // ERROR_MORE_DATA
// Room for any version or date at the first call; a longer value is asked for again.
constexpr std::uint32_t kFirstCapacity = 64;
// A value can change between the calls; past this many, it is left empty.
constexpr int kAttempts = 3;

std::string ProductProperty(WindowsInstaller& installer, const std::string& productCode,
                            const char* property) {
    std::uint32_t capacity = kFirstCapacity;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::vector<char> value(capacity, '\0');
        std::uint32_t length = capacity;
        const unsigned result =
            installer.GetProductInfo(productCode.c_str(), property, value.data(), &length);
        if (result == kSuccess) {
            // The text ends at its NUL, and never past the buffer whatever length was reported.
            const auto end = std::find(value.begin(), value.begin() + (capacity - 1), '\0');
            return std::string(value.begin(), end);
        }
        if (result != kMoreData || length >= UINT32_MAX - 1 || length + 1 <= capacity) break;
        capacity = length + 1;
    }
    return {};
}

bool IsDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The days of `month` (1 to 12) in the Gregorian calendar.
int DaysIn(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::string ProductVersion(WindowsInstaller& installer, const std::string& productCode) {
    return ProductProperty(installer, productCode, "VersionString");
}

std::string ProductInstallDate(WindowsInstaller& installer, const std::string& productCode) {
    return IsoDateOf(ProductProperty(installer, productCode, "InstallDate"));
}

std::string IsoDateOf(const std::string& installDate) {
    if (installDate.size() != 8 || !IsDigits(installDate)) return {};
    const int year = std::stoi(installDate.substr(0, 4));
    const int month = std::stoi(installDate.substr(4, 2));
    const int day = std::stoi(installDate.substr(6, 2));
    if (month < 1 || month > 12 || day < 1 || day > DaysIn(year, month)) return {};
    return installDate.substr(0, 4) + "-" + installDate.substr(4, 2) + "-" +
           installDate.substr(6, 2);
}
