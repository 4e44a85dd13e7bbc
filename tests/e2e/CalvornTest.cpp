#include "CalvornTest.h"

#include <algorithm>

#include "SampleDrivers.h"

const std::vector<std::string> kAllLines = {
    "Altheon AT3440 DMM\t.NET",
    "Altheon AT3440 DMM\tC",
    "Brightwave BD520 Digitizer\t.NET",
    "Brightwave BW7104 Scope\tMATLAB",
    "Kestrel KF3300 Generator\tVisual Basic",
    "Kestrel KP2200 DC Supply\tC",
    "Kestrel KP2400 DC Supply\tC",
    "Norvik NS40 Switch Matrix\tC",
    "Norvik NS80 Switch Matrix\tC",
    "Orrin OP10 Power Meter\t.NET",
    "Orrin OS90 Analyzer\tC",
    "Solenne SC12 Counter\tVisual Basic",
    "Solenne SG60 RF Source\tMATLAB",
    "Tessaly TX200 DMM\tVisual Basic",
    "Varden VS5 Scope\tC",
};

namespace product {
const char kAltheonDmmC[] = "{68300854-2DF4-408F-8C3F-DFB8DF52EE56}";
const char kAltheonDmmNet[] = "{80AC21EC-B647-4E8F-B80D-978613415E06}";
const char kKestrelSupply[] = "{82D61F21-DBEF-4C96-938F-E4504793F47B}";
const char kBrightwaveScope[] = "{328C8037-E996-4D1A-9A06-07DDAEF9F4F0}";
const char kNorvikSwitch[] = "{9F7582E4-EEDC-4CE0-9DC5-A430C5CB433F}";
const char kOrrinAnalyzer[] = "{A15FA572-2F03-403A-B662-C95F3819329B}";
const char kSolenneCounter[] = "{491238A4-1B68-485F-BC19-1EC7BECBC970}";
const char kTessalyDmm[] = "{01D812EB-F1E6-4474-809B-CF1179284321}";
const char kNorvikSwitch64[] = "{7B0E4C1D-9A2F-4E58-B3C6-1D8F0A5E2C94}";
const char kKestrelSupplyRestart[] = "{3E9A6F20-5C1B-47D8-A4E2-8B7C0D9F1A36}";
}  // namespace product

void CalvornTest::SetUp() {
    ASSERT_FALSE(InstanceMutexExists()) << "an earlier Calvorn still runs";
    ASSERT_EQ(RestoreSampleDrivers(), "");
    ASSERT_TRUE(m_calvorn.Start()) << GetLastError();
    HWND window = m_calvorn.WaitForMainWindow();
    ASSERT_NE(window, nullptr) << "Calvorn showed no main window";
    m_manager = ManagerWindow(window);
}

void ExpectInstalledAllBut(const std::vector<std::string>& removed) {
    const std::vector<std::string> packages = SamplePackages();
    ASSERT_FALSE(packages.empty());
    for (const std::string& code : packages) {
        const bool wasRemoved = std::find(removed.begin(), removed.end(), code) != removed.end();
        EXPECT_EQ(IsProductInstalled(code), !wasRemoved) << code;
    }
}
