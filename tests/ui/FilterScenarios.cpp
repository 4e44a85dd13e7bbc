#include <algorithm>
#include <functional>

#include "ManagerScenario.h"
#include "catalog/DriverCatalog.h"
#include "res/resource.h"

namespace {
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

const int kFilters[] = {IDC_CLASS_FILTER, IDC_MANUFACTURER_FILTER, IDC_ADE_FILTER};
const char kPlaceholder[] = "No installed IVI drivers found";

class FilterScenario : public ManagerScenario {};

void ExpectOnlyAllItems(ManagerScenario& scenario, UiDriver& driver) {
    for (int filter : kFilters) {
        EXPECT_THAT(scenario.Items(filter), ElementsAre("<All>")) << "filter " << filter;
        EXPECT_EQ(driver.ComboSelection(filter), 0) << "filter " << filter;
        EXPECT_EQ(driver.ItemData(filter, 0), 0) << "filter " << filter;
    }
}

struct EmptyCatalogCase {
    const char* name;
    std::function<void(FakeRegistry&)> arrange;
    friend void PrintTo(const EmptyCatalogCase& testCase, std::ostream* out) {
        *out << testCase.name;
    }
};

class EmptyCatalogScenario : public ManagerScenario,
                             public ::testing::WithParamInterface<EmptyCatalogCase> {};

TEST_P(EmptyCatalogScenario, ShowsOnlyAllItemsAndThePlaceholder) {
    GetParam().arrange(m_registry);
    Start();

    ExpectOnlyAllItems(*this, *m_driver);
    EXPECT_THAT(Lines(), ElementsAre(Line{kPlaceholder, 0}));
    EXPECT_FALSE(m_driver->IsEnabled(IDC_REMOVE));
    EXPECT_TRUE(m_driver->MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    KeyStates, EmptyCatalogScenario,
    ::testing::Values(
        EmptyCatalogCase{"KeyWithoutValues",
                         [](FakeRegistry& registry) { registry.AddKey(kDriversKeyPath); }},
        EmptyCatalogCase{"KeyMissing", [](FakeRegistry&) {}},
        EmptyCatalogCase{"KeyRefused",
                         [](FakeRegistry& registry) { registry.RefuseOpen(kDriversKeyPath); }},
        EmptyCatalogCase{"OnlyShortValues",
                         [](FakeRegistry& registry) {
                             registry.AddText(kDriversKeyPath, "{A}", "Name;Class;Ade");
                         }}),
    [](const ::testing::TestParamInfo<EmptyCatalogCase>& caseInfo) { return caseInfo.param.name; });

TEST_F(FilterScenario, AllFiltersOnAllListNameTabAdeWithCatalogIndexes) {
    AddSampleDrivers();
    Start();

    for (int filter : kFilters) EXPECT_EQ(SelectedText(filter), "<All>") << "filter " << filter;
    EXPECT_THAT(Items(IDC_CLASS_FILTER), ElementsAre("<All>", "DMM", "Scope"));
    EXPECT_THAT(Items(IDC_MANUFACTURER_FILTER), ElementsAre("<All>", "Acme", "Velmora"));
    EXPECT_THAT(Items(IDC_ADE_FILTER), ElementsAre("<All>", "C", "LabVIEW"));
    EXPECT_THAT(Lines(), ElementsAre(Line{"Alpha\tC", 0}, Line{"beta\tLabVIEW", 4},
                                     Line{"Gamma\tLabVIEW", 1}, Line{"Scope\tC", 3},
                                     Line{"Scope\tLabVIEW", 2}));
    EXPECT_TRUE(m_driver->SelectedLines().empty());
}

TEST_F(FilterScenario, AllItemIsSelectedAtStartEvenWhenPunctuationSortsBeforeIt) {
    AddDriver("{NET}", "Probe;.NET;C;Acme");
    AddDriver("{DMM}", "Meter;DMM;C;Velmora");
    Start();

    ASSERT_EQ(Items(IDC_CLASS_FILTER).front(), ".NET");
    EXPECT_EQ(SelectedText(IDC_CLASS_FILTER), "<All>");
    EXPECT_EQ(m_driver->ItemData(IDC_CLASS_FILTER, m_driver->ComboSelection(IDC_CLASS_FILTER)), 0);
    EXPECT_THAT(Lines(), ElementsAre(Line{"Meter\tC", 0}, Line{"Probe\tC", 1}));
}

TEST_F(FilterScenario, ChosenAdeDropsTheColumnWhateverTheOtherFilters) {
    AddSampleDrivers();
    Start();

    Choose(IDC_ADE_FILTER, "C");
    EXPECT_THAT(Lines(), ElementsAre(Line{"Alpha", 0}, Line{"Scope", 3}));

    Choose(IDC_CLASS_FILTER, "Scope");
    EXPECT_THAT(Lines(), ElementsAre(Line{"Scope", 3}));

    m_driver->ChooseFilterItem(IDC_ADE_FILTER, AllItemPosition(IDC_ADE_FILTER));
    EXPECT_THAT(Lines(), ElementsAre(Line{"Gamma\tLabVIEW", 1}, Line{"Scope\tC", 3},
                                     Line{"Scope\tLabVIEW", 2}));
}

TEST_F(FilterScenario, EveryFilterNarrowsTheList) {
    AddSampleDrivers();
    Start();

    Choose(IDC_CLASS_FILTER, "DMM");
    EXPECT_THAT(Lines(), ElementsAre(Line{"Alpha\tC", 0}, Line{"beta\tLabVIEW", 4}));

    Choose(IDC_ADE_FILTER, "LabVIEW");
    EXPECT_THAT(Lines(), ElementsAre(Line{"beta", 4}));

    // A combination that nothing passes leaves the list empty, without the placeholder.
    Choose(IDC_MANUFACTURER_FILTER, "Acme");
    EXPECT_TRUE(Lines().empty());

    Choose(IDC_CLASS_FILTER, "Scope");
    EXPECT_THAT(Lines(), ElementsAre(Line{"Gamma", 1}, Line{"Scope", 2}));
}

TEST_F(FilterScenario, ManufacturersDifferingOnlyInCaseAreTwoFilters) {
    AddDriver("{ONE}", "One;DMM;C;Velmora");
    AddDriver("{TWO}", "Two;DMM;C;VELMORA");
    Start();

    EXPECT_THAT(Items(IDC_MANUFACTURER_FILTER),
                UnorderedElementsAre("<All>", "Velmora", "VELMORA"));

    Choose(IDC_MANUFACTURER_FILTER, "Velmora");
    EXPECT_THAT(Lines(), ElementsAre(Line{"One\tC", 0}));
    Choose(IDC_MANUFACTURER_FILTER, "VELMORA");
    EXPECT_THAT(Lines(), ElementsAre(Line{"Two\tC", 1}));
}

TEST_F(FilterScenario, FieldTextAllGetsAnItemThatMatchesEveryRecord) {
    AddDriver("{ONE}", "One;DMM;<All>;Velmora");
    AddDriver("{TWO}", "Two;DMM;C;Velmora");
    Start();

    const std::vector<std::string> items = Items(IDC_ADE_FILTER);
    EXPECT_EQ(std::count(items.begin(), items.end(), "<All>"), 2);
    EXPECT_EQ(items.size(), 3u);
    EXPECT_EQ(m_driver->ComboSelection(IDC_ADE_FILTER), AllItemPosition(IDC_ADE_FILTER));
    EXPECT_THAT(Lines(), ElementsAre(Line{"One\t<All>", 0}, Line{"Two\tC", 1}));

    int fieldItem = -1;
    for (int position = 0; position < static_cast<int>(items.size()); ++position) {
        if (items[static_cast<std::size_t>(position)] == "<All>" &&
            m_driver->ItemData(IDC_ADE_FILTER, position) != 0) {
            fieldItem = position;
        }
    }
    ASSERT_GE(fieldItem, 0);
    m_driver->ChooseFilterItem(IDC_ADE_FILTER, fieldItem);
    EXPECT_THAT(Lines(), ElementsAre(Line{"One", 0}, Line{"Two", 1}));
}

TEST_F(FilterScenario, IdenticalLinesKeepTheirOwnIndexes) {
    AddDriver("{FIRST}", "Same;DMM;C;Velmora");
    AddDriver("{SECOND}", "Same;DMM;C;Velmora");
    AddDriver("{OTHER}", "Other;DMM;C;Velmora");
    Start();

    EXPECT_THAT(Lines(),
                UnorderedElementsAre(Line{"Other\tC", 0}, Line{"Same\tC", 1}, Line{"Same\tC", 2}));
    EXPECT_THAT(Items(IDC_CLASS_FILTER), ElementsAre("<All>", "DMM"));
}

TEST_F(FilterScenario, RefreshRestoresPositionsByNumberAndFallsBackToAll) {
    AddDriver("{1}", "N1;Class1;Ade1;M");
    AddDriver("{2}", "N2;Class2;Ade2;M");
    AddDriver("{3}", "N3;Class3;Ade3;M");
    AddDriver("{4}", "N4;Class4;Ade4;M");
    AddDriver("{5}", "N5;Class3;Ade5;M");
    Start();
    m_driver->ChooseFilterItem(IDC_CLASS_FILTER, 3);
    m_driver->ChooseFilterItem(IDC_ADE_FILTER, 5);
    ASSERT_EQ(SelectedText(IDC_CLASS_FILTER), "Class3");
    ASSERT_EQ(SelectedText(IDC_ADE_FILTER), "Ade5");
    ASSERT_THAT(Lines(), ElementsAre(Line{"N5", 4}));

    m_registry.RemoveKey(kDriversKeyPath);
    AddDriver("{1}", "N1;Class1;.NET;M");
    AddDriver("{2}", "N2;Class2;Ade2;M");
    AddDriver("{6}", "N6;Class2b;Ade3;M");
    AddDriver("{4}", "N4;Class4;Ade3;M");
    m_driver->Click(IDC_REFRESH);

    ASSERT_THAT(Items(IDC_ADE_FILTER), ElementsAre(".NET", "<All>", "Ade2", "Ade3"));
    EXPECT_EQ(m_driver->ComboSelection(IDC_CLASS_FILTER), 3);
    EXPECT_EQ(SelectedText(IDC_CLASS_FILTER), "Class2b");
    EXPECT_EQ(m_driver->ComboSelection(IDC_MANUFACTURER_FILTER), 0);
    EXPECT_EQ(m_driver->ComboSelection(IDC_ADE_FILTER), 1);
    EXPECT_THAT(Lines(), ElementsAre(Line{"N6\tAde3", 3}));
}

TEST_F(FilterScenario, RefreshReadsTheRegistryAgainAndClearsTheSelection) {
    AddSampleDrivers();
    Start();
    SelectLinesNamed({"Alpha\tC"});

    AddDriver("{DELTA}", "Delta;DMM;C;Velmora");
    m_driver->Click(IDC_REFRESH);

    EXPECT_THAT(Lines(), ElementsAre(Line{"Alpha\tC", 0}, Line{"beta\tLabVIEW", 5},
                                     Line{"Delta\tC", 1}, Line{"Gamma\tLabVIEW", 2},
                                     Line{"Scope\tC", 4}, Line{"Scope\tLabVIEW", 3}));
    EXPECT_TRUE(m_driver->SelectedLines().empty());
}

// Each refill runs with the control's redrawing off and ends with one repaint.
TEST_F(FilterScenario, EveryFillRedrawsTheControlOnceAtItsEnd) {
    AddSampleDrivers();
    const auto expectRedrawn = [&](const char* when, std::vector<int> controls) {
        for (int control : controls) {
            const UiDriver::RedrawSeen seen = m_driver->Redraw(control);
            EXPECT_TRUE(seen.redrawing) << when << ", control " << control;
            EXPECT_EQ(seen.addedWhileRedrawing, 0) << when << ", control " << control;
            EXPECT_TRUE(seen.repaintDue) << when << ", control " << control;
        }
    };
    const std::vector<int> all = {IDC_DRIVER_LIST, IDC_CLASS_FILTER, IDC_MANUFACTURER_FILTER,
                                  IDC_ADE_FILTER};
    Start();
    expectRedrawn("start-up", all);
    Choose(IDC_CLASS_FILTER, "Scope");
    expectRedrawn("filter change", {IDC_DRIVER_LIST});
    m_driver->Click(IDC_REFRESH);
    expectRedrawn("refresh", all);
    m_registry.RemoveKey(kDriversKeyPath);
    m_driver->Click(IDC_REFRESH);
    expectRedrawn("refresh to the placeholder", all);
}

struct VanishingKeyCase {
    const char* name;
    std::function<void(FakeRegistry&)> vanish;
    friend void PrintTo(const VanishingKeyCase& testCase, std::ostream* out) {
        *out << testCase.name;
    }
};

class VanishingKeyScenario : public ManagerScenario,
                             public ::testing::WithParamInterface<VanishingKeyCase> {};

TEST_P(VanishingKeyScenario, RefreshShowsTheEmptyCatalogWithoutAMessage) {
    AddSampleDrivers();
    Start();
    Choose(IDC_CLASS_FILTER, "Scope");
    Choose(IDC_ADE_FILTER, "C");

    GetParam().vanish(m_registry);
    m_driver->Click(IDC_REFRESH);

    ExpectOnlyAllItems(*this, *m_driver);
    EXPECT_THAT(Lines(), ElementsAre(Line{kPlaceholder, 0}));
    EXPECT_TRUE(m_driver->MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, VanishingKeyScenario,
    ::testing::Values(
        VanishingKeyCase{"Deleted",
                         [](FakeRegistry& registry) { registry.RemoveKey(kDriversKeyPath); }},
        VanishingKeyCase{"Refused",
                         [](FakeRegistry& registry) { registry.RefuseOpen(kDriversKeyPath); }}),
    [](const ::testing::TestParamInfo<VanishingKeyCase>& caseInfo) { return caseInfo.param.name; });

TEST_F(FilterScenario, FilterChangeListsRemovedDriversAgain) {
    AddSampleDrivers();
    Start();
    SelectLinesNamed({"Alpha\tC"});
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->Click(IDC_REMOVE);
    ASSERT_THAT(m_installer.RequestedCodes(), ElementsAre("{ALPHA}"));
    ASSERT_EQ(Lines().size(), 4u);

    m_driver->ChooseFilterItem(IDC_CLASS_FILTER, m_driver->ComboSelection(IDC_CLASS_FILTER));

    EXPECT_EQ(Lines().size(), 5u);
    EXPECT_EQ(Lines().front(), (Line{"Alpha\tC", 0}));
}

}  // namespace
