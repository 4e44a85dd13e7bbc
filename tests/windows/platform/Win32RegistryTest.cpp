#include "platform/win32/Win32Registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "ErrorOf.h"
#include "FakeInstaller.h"
#include "catalog/DriverCatalog.h"

using testing::ElementsAre;

namespace {

const char* const kParentPath = "SOFTWARE\\Velmora\\IVI";

// A key of this test process's own below HKLM\SOFTWARE\Velmora\IVI in one registry view,
// deleted with everything in it when the test ends.
class ScratchKey {
public:
    ScratchKey(const std::string& name, REGSAM view) : m_name(name), m_view(view) {
        LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, Path().c_str(), 0, nullptr, 0,
                                      KEY_ALL_ACCESS | m_view, nullptr, &m_key, nullptr);
        if (result != ERROR_SUCCESS) throw std::runtime_error("cannot create " + Path());
    }
    ~ScratchKey() {
        RegCloseKey(m_key);
        HKEY parent = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParentPath, 0, KEY_ALL_ACCESS | m_view, &parent) ==
            ERROR_SUCCESS) {
            RegDeleteTreeA(parent, m_name.c_str());
            RegCloseKey(parent);
        }
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    std::string Path() const { return std::string(kParentPath) + "\\" + m_name; }

    void Set(const std::string& name, DWORD type, const std::string& bytes) {
        LONG result = RegSetValueExA(m_key, name.c_str(), 0, type,
                                     reinterpret_cast<const BYTE*>(bytes.data()),
                                     static_cast<DWORD>(bytes.size()));
        if (result != ERROR_SUCCESS) throw std::runtime_error("cannot set " + name);
    }
    // As a REG_SZ is normally written: with its terminating NUL.
    void SetText(const std::string& name, const std::string& text) {
        Set(name, REG_SZ, std::string(text.c_str(), text.size() + 1));
    }

private:
    std::string m_name;
    REGSAM m_view;
    HKEY m_key = nullptr;
};

std::string ScratchName(const char* purpose) {
    return std::string("CalvornTest-") + purpose + "-" + std::to_string(GetCurrentProcessId());
}

class Win32RegistryTest : public testing::Test {
protected:
    // "Name/Ade/ProductCode" of every record of `catalog`, in catalog order.
    static std::vector<std::string> Rows(const DriverCatalog& catalog) {
        std::vector<std::string> rows;
        for (int i = 0; i < catalog.Count(); ++i) {
            rows.push_back(std::string(catalog.GetField(DriverField::Name, i)) + "/" +
                           catalog.GetField(DriverField::Ade, i) + "/" +
                           catalog.GetField(DriverField::ProductCode, i));
        }
        return rows;
    }

    Win32Registry m_registry;
    FakeInstaller m_installer;
};

TEST_F(Win32RegistryTest, CatalogReadsEveryShapeOfValueFromTheRealRegistry) {
    ScratchKey key(ScratchName("shapes"), KEY_WOW64_32KEY);
    // Names chosen so that the values that do not fit sit between values that do.
    key.SetText("{A}", "Beta;DMM;LabVIEW;Velmora");
    key.SetText("{B}", "Short;DMM;CVI");
    key.SetText("{C}" + std::string(300, 'n'), "Long name;DMM;CVI;Velmora");
    key.SetText("{D}", "Long data;DMM;CVI;" + std::string(300, 'm'));
    key.SetText("{E}", "Alpha;Scope;CVI;Acme;Fifth");
    key.Set("{F}", REG_BINARY, "Binary;Switch;C#;Acme");
    key.Set("{G}", REG_SZ, "Open;Power;LabVIEW;Velmora");  // stored without its NUL
    key.Set("{H}", REG_BINARY, "Full;DMM;CVI;" + std::string(256 - 13, 'm'));
    key.Set("{I}", REG_DWORD, std::string("\x41\x41\x41\x41", 4));
    key.SetText("{J}", "Zeta;DMM;LabVIEW;Acme");

    DriverCatalog catalog(m_registry, m_installer, key.Path().c_str(), 20);
    EXPECT_EQ(catalog.Reload(), 6);
    EXPECT_THAT(Rows(catalog), ElementsAre("Alpha/CVI/{E}", "Beta/LabVIEW/{A}", "Binary/C#/{F}",
                                           "Full/CVI/{H}", "Open/LabVIEW/{G}", "Zeta/LabVIEW/{J}"));
    EXPECT_STREQ(catalog.GetField(DriverField::Manufacturer, 0), "Acme");
    EXPECT_STREQ(catalog.GetField(DriverField::Class, 2), "Switch");
    EXPECT_EQ(catalog.GetField(DriverField::Manufacturer, 3), std::string(256 - 13, 'm'));
    EXPECT_STREQ(catalog.GetField(DriverField::Manufacturer, 4), "Velmora");
}

TEST_F(Win32RegistryTest, ReadsBothViewsListsAProductCodeOnceAndDeletesItFromEach) {
    const std::string name = ScratchName("view");
    ScratchKey wow32(name, KEY_WOW64_32KEY);
    ScratchKey wow64(name, KEY_WOW64_64KEY);
    wow32.SetText("{32}", "Thirty-two;DMM;CVI;Velmora");
    wow32.SetText("{both}", "Both;DMM;CVI;Velmora");
    wow64.SetText("{64}", "Sixty-four;DMM;CVI;Velmora");
    wow64.SetText("{both}", "Both;DMM;C;Velmora");

    DriverCatalog catalog(m_registry, m_installer, wow32.Path().c_str(), 20);
    EXPECT_EQ(catalog.Reload(), 3);
    EXPECT_THAT(Rows(catalog),
                ElementsAre("Both/CVI/{both}", "Sixty-four/CVI/{64}", "Thirty-two/CVI/{32}"));

    // A view without the value is no failure, but a deletion that found it in no view is.
    EXPECT_TRUE(catalog.DeleteRegistration(0));
    EXPECT_TRUE(catalog.DeleteRegistration(1));
    EXPECT_FALSE(catalog.DeleteRegistration(0));
    ASSERT_EQ(catalog.Reload(), 1);
    EXPECT_THAT(Rows(catalog), ElementsAre("Thirty-two/CVI/{32}"));
}

TEST_F(Win32RegistryTest, KeyThatOnlyTheSixtyFourBitViewHoldsIsRead) {
    ScratchKey wow64(ScratchName("only64"), KEY_WOW64_64KEY);
    wow64.SetText("{64}", "Sixty-four;DMM;CVI;Velmora");
    DriverCatalog catalog(m_registry, m_installer, wow64.Path().c_str(), 20);
    ASSERT_EQ(catalog.Reload(), 1);
    EXPECT_STREQ(catalog.NameAt(0), "Sixty-four");
}

TEST_F(Win32RegistryTest, MissingKeyIsInvalidRoot) {
    const std::string path = std::string(kParentPath) + "\\" + ScratchName("missing");
    DriverCatalog catalog(m_registry, m_installer, path.c_str(), 20);
    EXPECT_EQ(ErrorOf([&] { catalog.Reload(); }), "Invalid root key");
    EXPECT_EQ(catalog.Count(), 0);
}

TEST_F(Win32RegistryTest, EmptyKeyGivesAnEmptyCatalog) {
    ScratchKey key(ScratchName("empty"), KEY_WOW64_32KEY);
    DriverCatalog catalog(m_registry, m_installer, key.Path().c_str(), 20);
    EXPECT_EQ(catalog.Reload(), 0);
}

TEST_F(Win32RegistryTest, EnumValueReportsWhatDoesNotFitAndTheEnd) {
    ScratchKey key(ScratchName("enum"), KEY_WOW64_32KEY);
    key.SetText("a", "fits");
    key.SetText("b", std::string(300, 'x'));
    RegistryKey open = nullptr;
    ASSERT_EQ(m_registry.OpenKey(key.Path().c_str(), RegistryView::Bits32, &open),
              kRegistrySuccess);

    char name[256];
    unsigned char data[256];
    std::uint32_t nameLength = sizeof name;
    std::uint32_t dataSize = sizeof data;
    EXPECT_EQ(m_registry.EnumValue(open, 0, name, &nameLength, data, &dataSize), kRegistrySuccess);
    EXPECT_STREQ(name, "a");
    EXPECT_EQ(nameLength, 1u);
    EXPECT_EQ(dataSize, 5u);
    nameLength = sizeof name;
    dataSize = sizeof data;
    EXPECT_EQ(m_registry.EnumValue(open, 1, name, &nameLength, data, &dataSize), kRegistryMoreData);
    nameLength = sizeof name;
    dataSize = sizeof data;
    EXPECT_EQ(m_registry.EnumValue(open, 2, name, &nameLength, data, &dataSize),
              kRegistryNoMoreItems);
    m_registry.CloseKey(open);
}

}  // namespace
