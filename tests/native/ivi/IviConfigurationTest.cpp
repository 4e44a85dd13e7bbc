#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeIviSystem.h"
#include "FakeRegistry.h"
#include "IviStoreText.h"
#include "ivi/IviConfiguration.h"
#include "ivi/IviUsesText.h"

namespace {

const auto kCaseName = [](const auto& tested) { return std::string(tested.param.name); };

using Names = std::vector<std::string>;

const char kServerKey[] = "SOFTWARE\\IVI\\CONFIGURATIONSERVER";
const char kStorePath[] = "C:\\ProgramData\\IVI Foundation\\IVI\\IviConfigurationStore.xml";
const char kProduct[] = "{A}";

// A machine with both views, IVI roots in each (the 32-bit one without its final separator),
// the store named in each ("-": not named), and a product that installed the files `installed`.
struct Machine {
    explicit Machine(const std::string& store, Names installed = {},
                     const std::string& master32 = kStorePath,
                     const std::string& master64 = kStorePath) {
        if (master32 != "-") registry.AddText(kServerKey, "masterstore", master32);
        if (master64 != "-") {
            registry.AddText(kServerKey, "MasterStore", master64, RegistryView::Bits64);
        }
        registry.AddText("SOFTWARE\\IVI", "IviStandardRootDir", "C:\\Program Files (x86)\\IVI");
        registry.AddText("SOFTWARE\\IVI", "IviStandardRootDir", "C:\\Program Files\\IVI\\",
                         RegistryView::Bits64);
        system.files[kStorePath] = store;
        system.productFiles[kProduct] = std::move(installed);
    }

    IviConfiguration Read() { return IviConfiguration::Read(registry, system); }

    FakeRegistry registry;
    FakeIviSystem system;
};

struct LinkCase {
    const char* name;
    IviStoreParts parts;
    Names installed;
    std::string uses;  // the product's modules, then what uses them
};

// The module kdmm described by `inner` alone.
IviStoreParts Module(const std::string& inner) {
    IviStoreParts parts;
    parts.modules =
        "<IviSoftwareModule id=\"p1\"><Name>kdmm</Name>" + inner + "</IviSoftwareModule>";
    return parts;
}

IviStoreParts TwoSessionsTwoNames() {
    IviStoreParts parts;
    parts.sessions +=
        "<IviDriverSession id=\"p7\"><Name>DmmSpare</Name>"
        "<SoftwareModuleName>kdmm</SoftwareModuleName></IviDriverSession>"
        "<IviDriverSession id=\"p8\"><Name>Other</Name>"
        "<SoftwareModuleName>kscope</SoftwareModuleName></IviDriverSession>";
    parts.logicalNames +=
        "<IviLogicalName><Name>DMM2</Name><IviDriverSession idref=\"p7\"/>"
        "</IviLogicalName><IviLogicalName><Name>SCOPE</Name>"
        "<IviDriverSession idref=\"p8\"/></IviLogicalName>";
    return parts;
}

const char kUsed[] = "kdmm | logical names: DMM1; driver sessions: DmmBench";

const LinkCase kLinkCases[] = {
    {"Bin32", {}, {"c:\\program files (x86)\\ivi\\bin\\KDMM_32.DLL"}, kUsed},
    {"Bin64", {}, {"C:\\Program Files\\IVI\\Bin\\kdmm_64.dll"}, kUsed},
    {"BitnessDecidesTheRoot", {}, {"C:\\Program Files\\IVI\\Bin\\kdmm_32.dll"}, " | "},
    {"FullPath",
     Module("<ModulePath>D:\\Kestrel\\kdmm.dll</ModulePath>"),
     {"d:\\kestrel\\KDMM.dll"},
     kUsed},
    {"ComOnlyByItsServer",
     Module("<ProgID>Kestrel.KDmm</ProgID>"),
     {"C:\\Windows\\System32\\kdmmcom.dll"},
     kUsed},
    {"SessionsByReferenceOrByName",
     TwoSessionsTwoNames(),
     {"C:\\Program Files\\IVI\\Bin\\kdmm_64.dll"},
     "kdmm | logical names: DMM1, DMM2; driver sessions: DmmBench, DmmSpare"},
};

class ModuleLink : public testing::TestWithParam<LinkCase> {};

TEST_P(ModuleLink, FindsTheProductsModulesAndTheirUses) {
    const LinkCase& c = GetParam();
    Machine machine(IviStoreText(c.parts), c.installed);
    machine.registry.AddText("SOFTWARE\\Classes\\Kestrel.KDmm\\CLSID", "", "{C1}",
                             RegistryView::Bits64);
    machine.registry.AddText("SOFTWARE\\Classes\\CLSID\\{C1}\\InprocServer32", "",
                             "C:\\Windows\\System32\\kdmmcom.dll", RegistryView::Bits64);
    const IviConfiguration configuration = machine.Read();
    ASSERT_EQ(configuration.GetState(), IviConfiguration::State::Read);
    const Names modules = configuration.ModulesOf(kProduct);
    std::string found;
    for (const std::string& module : modules) found += module;
    EXPECT_EQ(found + " | " + InUseText(configuration.UsesOf(modules)), c.uses);
}

INSTANTIATE_TEST_SUITE_P(Cases, ModuleLink, testing::ValuesIn(kLinkCases), kCaseName);

TEST(StillHeld, ADeletedModulesSessionsStillNameIt) {
    IviStoreParts parts;
    parts.modules = "";
    Machine machine(IviStoreText(parts));
    EXPECT_EQ(StillRefersText(machine.Read().UsesOf({"kdmm"})),
              "driver sessions: DmmBench; logical names: DMM1");
    EXPECT_EQ(StillRefersText(Machine(IviStoreText()).Read().UsesOf({"kdmm"})),
              "software module: kdmm; driver sessions: DmmBench; logical names: DMM1");
}

using Reading = IviSystem::FileReading;
using State = IviConfiguration::State;

struct StateCase {
    const char* name;
    std::string master32;
    std::string master64;
    Reading answer;
    State state;
    std::string failure;
    std::string store = IviStoreText();
};

const std::string kPath = kStorePath;
const StateCase kStateCases[] = {
    {"NoServer", "-", "-", Reading::Read, State::None, ""},
    {"OneViewOnly", kPath, "-", Reading::Read, State::Read, ""},
    {"ViewsDiffer", kPath, "D:\\other.xml", Reading::Read, State::Unreadable,
     "the 32-bit and 64-bit registry views name different stores (" + kPath + ", D:\\other.xml)"},
    {"ViewsDifferInCaseOnly", kPath,
     "c:\\programdata\\ivi foundation\\ivi\\iviconfigurationstore.xml", Reading::Read, State::Read,
     ""},
    {"Empty", "", "", Reading::Read, State::Unreadable, "the store's path (MasterStore) is empty"},
    {"FileMissing", kPath, kPath, Reading::Missing, State::None, ""},
    {"TooLarge", kPath, kPath, Reading::TooLarge, State::Unreadable,
     kPath + " is larger than 64 MiB"},
    {"Unreadable", kPath, kPath, Reading::Failed, State::Unreadable, kPath + " cannot be read"},
    {"Malformed", kPath, kPath, Reading::Read, State::Unreadable,
     kPath + " is not well-formed XML (unexpected end of data)", "<IviConfigStore><x>"},
};

class StoreState : public testing::TestWithParam<StateCase> {};

TEST_P(StoreState, SaysWhyAStoreIsUnknown) {
    const StateCase& c = GetParam();
    Machine machine(c.store, {}, c.master32, c.master64);
    if (c.answer != Reading::Read) machine.system.fileAnswers[kStorePath] = c.answer;
    const IviConfiguration configuration = machine.Read();
    EXPECT_EQ(configuration.GetState(), c.state);
    EXPECT_EQ(configuration.Failure(), c.failure);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoreState, testing::ValuesIn(kStateCases), kCaseName);

}  // namespace
