#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalvornTest.h"
#include "RemoteWindows.h"
#include "res/resource.h"

namespace {

using Lines = std::vector<std::string>;

TEST_F(CalvornTest, StartsWithEveryDriverListedAndRemoveDisabled) {
    EXPECT_EQ(m_manager.Lines(), kAllLines);
    EXPECT_TRUE(m_manager.SelectedLines().empty());
    EXPECT_FALSE(m_manager.RemoveEnabled());

    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(m_manager.Handle(), nullptr), &thread));
    EXPECT_EQ(thread.hwndFocus, m_manager.Control(IDOK)) << "the focus starts on Done";
}

struct FilterContents {
    int filterId;
    Lines items;
};

TEST_F(CalvornTest, FiltersOfferEveryValueOnceAndStartOnAll) {
    const FilterContents filters[] = {
        {IDC_CLASS_FILTER,
         {"<All>", "IviCounter", "IviDCPwr", "IviDigitizer", "IviDmm", "IviFgen", "IviPwrMeter",
          "IviRFSigGen", "IviScope", "IviSpecAn", "IviSwtch"}},
        // Two makers that differ only in letter case are two items; the collation that ignores
        // case puts the one added later first.
        {IDC_MANUFACTURER_FILTER,
         {"<All>", "Altheon Instruments", "Brightwave Labs", "Kestrel Metrology",
          "Norvik Test Systems", "ORRIN Instruments", "Orrin Instruments", "Solenne Electronics",
          "Tessaly Systems", "Varden Electronics"}},
        {IDC_ADE_FILTER, {".NET", "<All>", "C", "MATLAB", "Visual Basic"}},
    };
    for (const FilterContents& filter : filters) {
        SCOPED_TRACE(filter.filterId);
        EXPECT_EQ(m_manager.FilterItems(filter.filterId), filter.items);
        EXPECT_EQ(m_manager.FilterSelection(filter.filterId), "<All>");
    }
}

struct FilterCase {
    const char* classText;
    const char* manufacturer;
    const char* ade;
    Lines lines;
};

TEST_F(CalvornTest, FiltersNarrowTheList) {
    const FilterCase cases[] = {
        {"<All>", "ORRIN Instruments", "<All>", {"Orrin OS90 Analyzer\tC"}},
        {"<All>", "Orrin Instruments", "<All>", {"Orrin OP10 Power Meter\t.NET"}},
        // A chosen ADE drops the ADE column.
        {"<All>",
         "<All>",
         ".NET",
         {"Altheon AT3440 DMM", "Brightwave BD520 Digitizer", "Orrin OP10 Power Meter"}},
        {"IviDmm",
         "<All>",
         "<All>",
         {"Altheon AT3440 DMM\t.NET", "Altheon AT3440 DMM\tC", "Tessaly TX200 DMM\tVisual Basic"}},
        {"IviDmm", "Altheon Instruments", "C", {"Altheon AT3440 DMM"}},
        {"IviScope", "Norvik Test Systems", "<All>", {}},
        {"<All>", "<All>", "<All>", kAllLines},
    };
    for (const FilterCase& filter : cases) {
        SCOPED_TRACE(std::string(filter.classText) + " / " + filter.manufacturer + " / " +
                     filter.ade);
        ASSERT_TRUE(m_manager.ChooseFilter(IDC_CLASS_FILTER, filter.classText));
        ASSERT_TRUE(m_manager.ChooseFilter(IDC_MANUFACTURER_FILTER, filter.manufacturer));
        ASSERT_TRUE(m_manager.ChooseFilter(IDC_ADE_FILTER, filter.ade));
        EXPECT_EQ(m_manager.Lines(), filter.lines);
    }
}

TEST_F(CalvornTest, SelectingLinesEnablesRemoveAndClearingDisablesIt) {
    ASSERT_TRUE(m_manager.SelectLines({"Varden VS5 Scope\tC"}));
    EXPECT_TRUE(m_manager.RemoveEnabled());
    ASSERT_TRUE(
        m_manager.SelectLines({"Altheon AT3440 DMM\tC", "Solenne SC12 Counter\tVisual Basic"}));
    EXPECT_TRUE(m_manager.RemoveEnabled());
    ASSERT_TRUE(m_manager.SelectLines({}));
    EXPECT_FALSE(m_manager.RemoveEnabled());
}

}  // namespace
