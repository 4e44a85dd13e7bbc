#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "CalvornCmdProcess.h"
#include "CalvornTest.h"
#include "Polling.h"
#include "SampleDrivers.h"

namespace {

const char kAltheon[] = "Altheon Instruments";

// The fields of a value's data as a driver list shows them: runs of ';' separate them, and a
// value with fewer than four, or with more data than a driver value holds, is no driver.
std::vector<std::string> DriverFields(const std::string& data) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : data + ";") {
        if (c != ';') {
            field += c;
        } else if (!field.empty()) {
            fields.push_back(field);
            field.clear();
        }
    }
    if (data.size() >= 256 || fields.size() < 4) return {};
    fields.resize(4);
    return fields;
}

// What the sample definition registers, by product code: the 32-bit view's value first.
std::map<std::string, nlohmann::json> RegisteredDrivers() {
    std::map<std::string, nlohmann::json> drivers;
    for (bool in64BitView : {false, true}) {
        for (const SampleValue& value : SampleValues()) {
            if (value.In64BitView() != in64BitView || value.kind == "dword") continue;
            const std::vector<std::string> fields = DriverFields(value.data);
            if (fields.empty() || drivers.count(value.name) != 0) continue;
            drivers[value.name] = {{"productCode", value.name}, {"name", fields[0]},
                                   {"class", fields[1]},        {"ade", fields[2]},
                                   {"manufacturer", fields[3]}, {"installed", value.IsPackage()}};
        }
    }
    return drivers;
}

// The log that the result line of `productCode` names; empty when it names none.
std::string LogNamedFor(const std::string& output, const std::string& productCode) {
    const std::size_t line = output.find(productCode + ": ");
    if (line == std::string::npos) return {};
    const std::string text = output.substr(line, output.find('\n', line) - line);
    const std::size_t log = text.find(", log ");
    return log == std::string::npos ? std::string() : text.substr(log + 6);
}

// Every test starts from the sample drivers as defined; no window is started.
class CalvornCmdTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(RestoreSampleDrivers(), ""); }

    CalvornCmdRun Run(const std::string& arguments,
                      const std::function<void(DWORD processId)>& whileRunning = nullptr) {
        CalvornCmdRun run = RunCalvornCmd(arguments, whileRunning);
        EXPECT_TRUE(run.ended) << arguments;
        return run;
    }
};

TEST_F(CalvornCmdTest, ListsAsJsonWhatIsRegisteredWithWhatIsInstalled) {
    const CalvornCmdRun run = Run("list --format json");
    ASSERT_EQ(run.exitCode, 0u) << run.error;
    const nlohmann::json list = nlohmann::json::parse(run.output);

    std::map<std::string, nlohmann::json> listed;
    std::string previousName;
    for (nlohmann::json driver : list) {
        const std::string name = driver.at("name");
        EXPECT_GE(name, previousName) << "not in the catalog's order";
        previousName = name;
        EXPECT_EQ(driver.at("installed"), IsProductInstalled(driver.at("productCode")));
        // Every sample package is version 1.0.0, installed today or lately.
        const std::string date = driver.at("installDate");
        if (driver.at("installed")) {
            EXPECT_EQ(driver.at("version"), "1.0.0") << name;
            EXPECT_TRUE(date.size() == 10 && date[4] == '-' && date[7] == '-') << date;
        } else {
            EXPECT_EQ(driver.at("version"), "") << name;
            EXPECT_EQ(date, "") << name;
        }
        driver.erase("version");
        driver.erase("installDate");
        // No IVI configuration here: nothing uses a sample driver.
        for (const char* uses : {"softwareModules", "driverSessions", "logicalNames"}) {
            EXPECT_EQ(driver.at(uses), nlohmann::json::array()) << name;
            driver.erase(uses);
        }
        listed[driver.at("productCode")] = driver;
    }
    EXPECT_EQ(listed, RegisteredDrivers());
    // Registered without a product behind it.
    ASSERT_EQ(listed.count(product::kTessalyDmm), 1u);
    EXPECT_EQ(listed[product::kTessalyDmm].at("installed"), false);
}

TEST_F(CalvornCmdTest, PruneDeletesExactlyTheRegistrationsWhoseProductIsGone) {
    const std::vector<std::string> before[] = {DriverValueNames(false), DriverValueNames(true)};

    const CalvornCmdRun run = Run("prune --all --yes");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    // The value written with no product behind it in both views, and nothing else: a value whose
    // name is no product code is not one the installer could know.
    EXPECT_EQ(run.output, std::string("Tessaly TX200 DMM ") + product::kTessalyDmm +
                              ": registration deleted\n");
    for (bool wow64 : {false, true}) {
        std::vector<std::string> expected = before[wow64];
        expected.erase(std::find(expected.begin(), expected.end(), product::kTessalyDmm));
        EXPECT_EQ(DriverValueNames(wow64), expected);
    }
    ExpectInstalledAllBut({});
}

TEST_F(CalvornCmdTest, RemovesExactlyOneManufacturersDrivers) {
    const CalvornCmdRun run = Run(std::string("remove --manufacturer \"") + kAltheon + "\" --yes");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    // In the catalog's order: by name, then by ADE from last to first.
    EXPECT_EQ(run.output, std::string("Altheon AT3440 DMM ") + product::kAltheonDmmC +
                              ": removed\nAltheon AT3440 DMM " + product::kAltheonDmmNet +
                              ": removed\n");
    ExpectInstalledAllBut({product::kAltheonDmmC, product::kAltheonDmmNet});
}

TEST_F(CalvornCmdTest, ARemovalThatNeedsARestartEndsWith3010) {
    const CalvornCmdRun run =
        Run(std::string("remove --product ") + product::kKestrelSupplyRestart + " --yes");
    EXPECT_EQ(run.exitCode, 3010u);
    EXPECT_NE(run.error, "");
    ExpectInstalledAllBut({product::kKestrelSupplyRestart});
}

TEST_F(CalvornCmdTest, AProductThatIsNotInstalledEndsWith1603) {
    const CalvornCmdRun run =
        Run(std::string("remove --product ") + product::kTessalyDmm + " --yes");
    EXPECT_EQ(run.exitCode, 1603u);
    EXPECT_NE(run.output.find(": failed, Windows Installer result 1605"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("prune"), std::string::npos) << run.output;
    EXPECT_NE(run.error, "");
    ExpectInstalledAllBut({});
}

TEST_F(CalvornCmdTest, CtrlCStopsTheRunAfterTheDriverUnderWayAndEndsWith1602) {
    const OwnPackage slow("slow-removal", CALVORN_SLOW_PRODUCT, CALVORN_SLOW_NAME);
    ASSERT_EQ(slow.Install(), "");
    const int installedFiles = slow.InstalledFiles();
    bool pressed = false;
    const CalvornCmdRun run =
        Run(std::string("remove --product ") + CALVORN_SLOW_PRODUCT + " --product " +
                product::kKestrelSupply + " --yes",
            [&](DWORD) {
                // Once the installer is deleting the slow package's files.
                if (WaitUntil([&] { return slow.InstalledFiles() < installedFiles; })) {
                    pressed = PressCtrlCInCalvornCmd();
                }
            });
    ASSERT_TRUE(pressed) << run.output;
    EXPECT_EQ(run.exitCode, 1602u) << run.error;
    // Wine's installer ignores the cancel and finishes the removal under way: Windows Installer
    // rolls it back and the line says "cancelled".
    EXPECT_EQ(run.output, slow.Name() + " " + CALVORN_SLOW_PRODUCT + ": removed\n" +
                              "Kestrel KP2200 DC Supply " + product::kKestrelSupply +
                              ": not tried\n");
    EXPECT_NE(run.error, "");
    ExpectInstalledAllBut({});
}

TEST_F(CalvornCmdTest, CtrlCEndsTheListOfSeveralThousandDriversEarlyWith1602) {
    constexpr int kDrivers = 8000;
    for (int i = 0; i < kDrivers; ++i) {
        char code[40];
        std::snprintf(code, sizeof code, "{%08X-0000-4000-8000-0000000000AA}", i);
        ASSERT_TRUE(
            SetDriverValue(code, "Flood DMM " + std::to_string(i) + ";IviDmm;C;Flood Instruments"));
    }
    bool pressed = false;
    const CalvornCmdRun run = Run("list", [&](DWORD process) {
        // Its console handler is set before the installer's library is loaded, and the drivers
        // are read after.
        if (WaitUntil([&] { return HasLoaded(process, "msi.dll"); })) {
            pressed = PressCtrlCInCalvornCmd();
        }
    });
    ASSERT_TRUE(pressed);
    EXPECT_EQ(run.exitCode, 1602u) << run.error;
    EXPECT_EQ(run.output, "") << "listed before the stop";
    EXPECT_EQ(run.error, "CalvornCmd: the removal was stopped.\n");
    EXPECT_EQ(RestoreSampleDrivers(), "");
}

TEST_F(CalvornCmdTest, DryRunAndAMissingYesRemoveNothing) {
    const std::string selection = std::string("remove --manufacturer \"") + kAltheon + "\"";
    const CalvornCmdRun dryRun = Run(selection + " --dry-run --log-dir C:\\calvorn-dry-run");
    EXPECT_EQ(GetFileAttributesA("C:\\calvorn-dry-run"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(dryRun.exitCode, 0u) << dryRun.error;
    EXPECT_EQ(dryRun.output, std::string("Altheon AT3440 DMM ") + product::kAltheonDmmC +
                                 ": would be removed\nAltheon AT3440 DMM " +
                                 product::kAltheonDmmNet + ": would be removed\n");

    const CalvornCmdRun withoutYes = Run(selection);
    EXPECT_EQ(withoutYes.exitCode, 87u);
    EXPECT_EQ(withoutYes.output, "");
    EXPECT_NE(withoutYes.error, "");
    ExpectInstalledAllBut({});
}

// The folders in the temporary folder whose names begin with "Calvorn".
std::set<std::string> LogFoldersIn(const std::string& temporary) {
    return FilesIn(temporary.substr(0, temporary.size() - 1), true, "Calvorn*");
}

// "Calvorn-YYYYMMDD-HHMMSS" for the local time `seconds` from now.
std::string PassFolderName(int seconds) {
    const std::time_t then = std::time(nullptr) + seconds;
    char name[32];
    std::strftime(name, sizeof name, "Calvorn-%Y%m%d-%H%M%S", std::localtime(&then));
    return name;
}

TEST_F(CalvornCmdTest, KeepsAFailedRemovalsLogInTheFolderNamedOrAFolderOfThePassButNeverALink) {
    const OwnPackage failing("failing-removal", CALVORN_FAILING_PRODUCT, CALVORN_FAILING_NAME);
    ASSERT_EQ(failing.Install(), "");
    const std::string code = failing.ProductCode();
    const std::string prefix = std::getenv("WINEPREFIX");

    // A file server's share, as Wine maps \\server\share: a folder of the prefix.
    for (const char* folder :
         {"/dosdevices/unc", "/dosdevices/unc/labserver", "/dosdevices/unc/labserver/logs"}) {
        CreateDirectoryA(WindowsPath(prefix + folder).c_str(), nullptr);
    }
    const std::string share = "\\\\labserver\\logs\\STATION01";
    const CalvornCmdRun named = Run("remove --product " + code + " --product " +
                                    product::kAltheonDmmC + " --yes --log-dir " + share);
    EXPECT_EQ(named.exitCode, 1603u) << named.error;
    const std::set<std::string> shared = FilesIn(share);
    ASSERT_EQ(shared.size(), 1u) << named.output;
    EXPECT_EQ(LogNamedFor(named.output, code), share + "\\" + *shared.begin());

    // Folders that another user may have made first: the old one, and one of the pass's own
    // name for every second of the next minute. None of them gets a file.
    char temporaryText[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temporaryText), 0u);
    const std::string temporary = temporaryText;
    std::set<std::string> madeFirst = {"Calvorn"};
    for (int second = 0; second < 60; ++second) madeFirst.insert(PassFolderName(second));
    for (const std::string& name : madeFirst) CreateDirectoryA((temporary + name).c_str(), nullptr);
    const std::set<std::string> before = LogFoldersIn(temporary);

    const CalvornCmdRun byDefault = Run("remove --product " + code + " --yes");
    const std::string log = LogNamedFor(byDefault.output, code);
    const std::string folder = log.substr(0, log.rfind('\\'));
    std::cout << "CalvornCmd kept its log in " << folder << "\n";
    EXPECT_EQ(log, folder + "\\" + code + ".log") << byDefault.output;
    ASSERT_EQ(folder.rfind(temporary, 0), 0u) << byDefault.output;
    const std::string folderName = folder.substr(temporary.size());
    ASSERT_GT(folderName.size(), 2u);
    EXPECT_EQ(madeFirst.count(folderName.substr(0, folderName.size() - 2)), 1u) << folderName;
    EXPECT_EQ(folderName.substr(folderName.size() - 2), "-2");
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{code + ".log"});
    for (const std::string& name : madeFirst) EXPECT_TRUE(FilesIn(temporary + name).empty());

    // A pass without a failure leaves no folder behind.
    const CalvornCmdRun clean =
        Run("remove --product " + std::string(product::kAltheonDmmNet) + " --yes");
    EXPECT_EQ(clean.exitCode, 0u) << clean.error;
    std::set<std::string> expected = before;
    expected.insert(folderName);
    EXPECT_EQ(LogFoldersIn(temporary), expected);
    for (const std::string& name : madeFirst) RemoveDirectoryA((temporary + name).c_str());
    ExpectInstalledAllBut({product::kAltheonDmmC, product::kAltheonDmmNet});

    // Under Wine a Unix symbolic link shows as a reparse point.
    const std::string link = "C:\\calvorn-linked-logs";
    const std::string target = "C:\\calvorn-link-target";
    CreateDirectoryA(target.c_str(), nullptr);
    const std::string hostLink = prefix + "/drive_c/calvorn-linked-logs";
    ASSERT_TRUE(StartOnHost("/bin/ln -s " + prefix + "/drive_c/calvorn-link-target " + hostLink) &&
                WaitUntil([&] {
                    return GetFileAttributesA(link.c_str()) ==
                           (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
                }));
    const CalvornCmdRun linked = Run("remove --product " + code + " --yes --log-dir " + link);
    EXPECT_TRUE(StartOnHost("/bin/rm " + hostLink) && WaitUntil([&] {
                    return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES;
                }));
    EXPECT_EQ(LogNamedFor(linked.output, code), "") << linked.output;
    EXPECT_EQ(linked.error, "CalvornCmd: installer logs are not kept: " + link +
                                " is a junction, symbolic link or mount point.\nCalvornCmd: some "
                                "drivers could not be removed.\n");
    EXPECT_TRUE(FilesIn(target).empty());
}

TEST_F(CalvornCmdTest, NamePatternsSelectByNameWhateverTheLetterCase) {
    const CalvornCmdRun run =
        Run("list --format json --name \"*switch MATRIX\" --name \"brightwave b?7*\"");
    ASSERT_EQ(run.exitCode, 0u) << run.error;
    std::set<std::string> codes;
    for (const nlohmann::json& driver : nlohmann::json::parse(run.output)) {
        codes.insert(driver.at("productCode").get<std::string>());
    }
    EXPECT_EQ(codes, (std::set<std::string>{product::kNorvikSwitch, product::kNorvikSwitch64,
                                            product::kBrightwaveScope}));
}

}  // namespace
