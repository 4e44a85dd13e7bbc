#include "cmd/ListedDriver.h"

#include <utility>

#include "installer/InstallerBinding.h"
#include "installer/ProductInfo.h"

ListedDriver ListDriver(WindowsInstaller& installer, DriverRecord text, const char* productCode,
                        const std::function<std::string(const char*)>& utf8FromCodePage) {
    ListedDriver driver{std::move(text), IsProductInstalled(installer, productCode), {}, {}, {}};
    if (driver.installed) {
        driver.version = utf8FromCodePage(ProductVersion(installer, productCode).c_str());
        driver.installDate = ProductInstallDate(installer, productCode);
    }
    return driver;
}
