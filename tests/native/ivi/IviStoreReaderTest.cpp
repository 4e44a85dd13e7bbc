#include <gtest/gtest.h>

#include <string>

#include "IviStoreText.h"
#include "ivi/IviStore.h"
#include "ivi/PlainXml.h"

namespace {

const auto kCaseName = [](const auto& tested) { return std::string(tested.param.name); };

// The store as one line: modules with their paths, sessions with the module they reference
// and the name they keep, logical names with their session.
std::string Summary(const IviStoreReading& reading) {
    if (!reading.read) return "failed: " + reading.failure;
    std::string text;
    for (const IviSoftwareModule& m : reading.store.modules) {
        text +=
            "module " + m.name + "[" + m.modulePath + "|" + m.modulePath64 + "|" + m.progId + "] ";
    }
    for (const IviDriverSession& s : reading.store.sessions) {
        text += "session " + s.name + "->" + std::to_string(s.module) + "(" + s.moduleName + ") ";
    }
    for (const IviLogicalName& n : reading.store.logicalNames) {
        text += "name " + n.name + "->" + std::to_string(n.session) + " ";
    }
    return text;
}

std::string Utf16LittleEndian(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
}

// The store's root holding `count` copies of `element`.
std::string Repeated(const std::string& element, std::size_t count) {
    std::string inner;
    for (std::size_t i = 0; i < count; ++i) inner += element;
    return "<IviConfigStore>" + inner + "</IviConfigStore>";
}

std::string Nested(int depth) {
    std::string open;
    std::string close;
    for (int i = 0; i < depth; ++i) {
        open += "<a>";
        close += "</a>";
    }
    return "<IviConfigStore>" + open + close + "</IviConfigStore>";
}

const std::string kPlain =
    "module kdmm[kdmm_32.dll|kdmm_64.dll|] session DmmBench->0(kdmm) name DMM1->0 ";
const char kRefused[] = "failed: is not XML that Calvorn reads";

struct ReaderCase {
    const char* name;
    std::string bytes;
    std::string expected;
};

// Sessions keep the module's name when it is deleted; a name for another kind of session points
// at no driver session.
IviStoreParts DeletedModule() {
    IviStoreParts parts;
    parts.modules = "";
    parts.sessions +=
        "<IviDriverSession id=\"p4\"><Name>Spare</Name><IviSoftwareModuleRef idref=\"gone\"/>"
        "</IviDriverSession>";
    parts.logicalNames +=
        "<IviLogicalName><Name>DMM2</Name><IviSession idref=\"p2\"/></IviLogicalName>";
    return parts;
}

IviStoreParts Escaped() {
    IviStoreParts parts;
    parts.modules =
        "<IviSoftwareModule id='p1'><Name>k&amp;dmm &#xE9;&x;</Name><!-- note -->"
        "<ModulePath><![CDATA[x]]>C:\\Drivers\\kdmm.dll</ModulePath></IviSoftwareModule>";
    parts.sessions = parts.logicalNames = "";
    return parts;
}

const ReaderCase kReaderCases[] = {
    {"Utf8WithMark", "\xEF\xBB\xBF" + IviStoreText(), kPlain},
    {"Utf16", Utf16LittleEndian(IviStoreText()), kPlain},
    {"DeletedModule", IviStoreText(DeletedModule()),
     "session DmmBench->-1(kdmm) session Spare->-1() name DMM1->0 name DMM2->-1 "},
    {"EntitiesCommentsAndCdata", IviStoreText(Escaped()),
     "module k&dmm \xC3\xA9&x;[C:\\Drivers\\kdmm.dll||] "},
    {"OtherRoot", "<Configuration/>", "failed: is not an IVI configuration store"},
    {"Unclosed", "<IviConfigStore><SoftwareModules>",
     "failed: is not well-formed XML (unexpected end of data)"},
    {"Doctype", "<!DOCTYPE x [<!ENTITY a \"aaaa\">]><IviConfigStore/>", kRefused},
    {"NulInside", std::string("<IviConfigStore>\0</IviConfigStore>", 34), kRefused},
    {"ClosedTooOften", "<IviConfigStore></IviConfigStore></x>", kRefused},
    {"NestedToTheLimit", Nested(kMaxXmlDepth - 1), ""},
    {"NestedTooDeep", Nested(kMaxXmlDepth), kRefused},
    {"MoreElementsThanItCounts", Repeated("<a/>", kMaxXmlNodes), kRefused},
};

class StoreReader : public testing::TestWithParam<ReaderCase> {};

TEST_P(StoreReader, ReadsWhatTheStoreHolds) {
    EXPECT_EQ(Summary(ReadIviStore(GetParam().bytes)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoreReader, testing::ValuesIn(kReaderCases), kCaseName);

}  // namespace
