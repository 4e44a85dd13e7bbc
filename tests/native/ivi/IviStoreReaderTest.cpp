#include <gtest/gtest.h>

#include <string>

#include "IviStoreText.h"
#include "ivi/IviStore.h"
#include "ivi/PlainXml.h"

namespace {

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& tested) {
    return tested.param.name;
}

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

std::string Utf16(const std::string& ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) {
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return bytes;
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
    "module kdmm[kdmm_32.dll|kdmm_64.dll|] session DmmBench->0(kdmm) "
    "name DMM1->0 ";

struct ReaderCase {
    const char* name;
    std::string bytes;
    std::string expected;
};

IviStoreParts ComOnly() {
    IviStoreParts parts;
    parts.modules =
        "<IviSoftwareModule id=\"x\"><Name>kscope</Name>"
        "<ProgID>Kestrel.KScope</ProgID></IviSoftwareModule>";
    parts.sessions = "";
    parts.logicalNames = "";
    return parts;
}

IviStoreParts DeletedModule() {
    IviStoreParts parts;
    parts.modules = "";
    parts.sessions =
        "<IviDriverSession id=\"p2\"><Name>DmmBench</Name><SoftwareModuleName>kdmm"
        "</SoftwareModuleName></IviDriverSession><IviDriverSession id=\"p4\"><Name>Spare</Name>"
        "<IviSoftwareModuleRef idref=\"gone\"/></IviDriverSession>";
    parts.logicalNames +=
        "<IviLogicalName id=\"p5\"><Name>DMM2</Name><IviSession idref=\"p2\"/>"
        "</IviLogicalName>";
    return parts;
}

IviStoreParts Escaped() {
    IviStoreParts parts;
    parts.modules =
        "<IviSoftwareModule id='p1'><Name>k&amp;dmm &#xE9;</Name><!-- note -->"
        "<ModulePath><![CDATA[x]]>C:\\Drivers\\kdmm.dll</ModulePath>"
        "</IviSoftwareModule>";
    parts.sessions = "";
    parts.logicalNames = "";
    return parts;
}

const ReaderCase kReaderCases[] = {
    {"Utf8", IviStoreText(), kPlain},
    {"Utf8WithMark", "\xEF\xBB\xBF" + IviStoreText(), kPlain},
    {"Utf16LittleEndian", Utf16(IviStoreText(), false), kPlain},
    {"Utf16BigEndian", Utf16(IviStoreText(), true), kPlain},
    {"NoDeclaration", IviStoreText().substr(IviStoreText().find("<IviConfigStore")), kPlain},
    {"ComOnlyModule", IviStoreText(ComOnly()), "module kscope[||Kestrel.KScope] "},
    // Sessions keep the module's name when it is deleted; a name for another kind of session
    // points at no driver session.
    {"DeletedModule", IviStoreText(DeletedModule()),
     "session DmmBench->-1(kdmm) session Spare->-1() name DMM1->0 name DMM2->-1 "},
    {"EntitiesCommentsAndCdata", IviStoreText(Escaped()),
     "module k&dmm \xC3\xA9[C:\\Drivers\\kdmm.dll||] "},
    {"EmptyStore", "<IviConfigStore/>", ""},
    {"OtherRoot", "<Configuration/>", "failed: is not an IVI configuration store"},
    {"Empty", "", "failed: is not an IVI configuration store"},
    {"Unclosed", "<IviConfigStore><SoftwareModules>",
     "failed: is not well-formed XML (unexpected end of data)"},
    {"Doctype", "<!DOCTYPE x [<!ENTITY a \"aaaa\">]><IviConfigStore/>",
     "failed: is not XML that Calvorn reads"},
    {"NulInside", std::string("<IviConfigStore>\0</IviConfigStore>", 34),
     "failed: is not XML that Calvorn reads"},
    {"UnknownEntityLeftAlone",
     "<IviConfigStore><SoftwareModules><IviSoftwareModule><Name>&x;"
     "</Name></IviSoftwareModule></SoftwareModules></IviConfigStore>",
     "module &x;[||] "},
    {"NestedToTheLimit", Nested(kMaxXmlDepth - 1), ""},
    {"NestedTooDeep", Nested(kMaxXmlDepth), "failed: is not XML that Calvorn reads"},
    {"ClosedTooOften", "<IviConfigStore></IviConfigStore></x>",
     "failed: is not XML that Calvorn reads"},
    {"QuoteInName", "<IviConfigStore\"><a>", "failed: is not XML that Calvorn reads"},
};

class StoreReader : public testing::TestWithParam<ReaderCase> {};

TEST_P(StoreReader, ReadsWhatTheStoreHolds) {
    EXPECT_EQ(Summary(ReadIviStore(GetParam().bytes)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoreReader, testing::ValuesIn(kReaderCases),
                         CaseName<ReaderCase>);

TEST(StoreReader, RefusesMoreElementsThanItCounts) {
    std::string text = "<IviConfigStore>";
    for (std::size_t i = 0; i < kMaxXmlNodes; ++i) text += "<a/>";
    text += "</IviConfigStore>";
    EXPECT_FALSE(ReadIviStore(text).read);
}

}  // namespace
