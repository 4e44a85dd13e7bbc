// What only the in-memory backend lets a test see: painting, the calls made to the window
// system, and faults that a real window procedure must never meet.
#include <stdexcept>

#include "ManagerScenario.h"
#include "MemoryUiDriver.h"
#include "ProductTexts.h"
#include "catalog/DriverCatalog.h"
#include "res/resource.h"

namespace {
using ::testing::ElementsAre;

class MemoryWindow : public ManagerScenario {
protected:
    MemoryUiDriver& Memory() { return static_cast<MemoryUiDriver&>(*m_driver); }
    MemoryDialogWindow& Window() { return Memory().ManagerWindow(); }
    MemoryWindowSystem& System() { return Memory().Memory(); }
};

struct IconPlacement {
    int width;
    int height;
    int x;
    int y;
    friend void PrintTo(const IconPlacement& placement, std::ostream* out) {
        *out << placement.width << "x" << placement.height;
    }
};

class MinimisedPaint : public MemoryWindow, public ::testing::WithParamInterface<IconPlacement> {};

TEST_P(MinimisedPaint, CentresTheIconTruncatingTowardZero) {
    AddDriverKey();
    Start();
    System().SetSystemMetric(kSmCxIcon, 32);
    System().SetSystemMetric(kSmCyIcon, 32);
    Window().SetIconic(true);
    Window().SetClientSize(GetParam().width, GetParam().height);

    Window().Paint();

    ASSERT_EQ(Window().DrawnIcons().size(), 1u);
    const MemoryDialogWindow::DrawnIcon& drawn = Window().DrawnIcons()[0];
    EXPECT_EQ(drawn.x, GetParam().x);
    EXPECT_EQ(drawn.y, GetParam().y);
    EXPECT_EQ(System().IconResourceId(drawn.icon), IDR_MAINFRAME);
    EXPECT_EQ(Window().BeginPaintCalls(), 1);
    EXPECT_EQ(Window().EndPaintCalls(), 1);
    EXPECT_EQ(Window().DefaultProcessed(kWmPaint), 0);

    // The background under the icon is erased by the window's own default processing, on the
    // painting's device context.
    int erases = 0;
    for (const WindowMessage& sent : Window().SentToSelf()) {
        if (sent.message != kWmIconEraseBkgnd) continue;
        ++erases;
        EXPECT_EQ(reinterpret_cast<NativeHandle>(sent.wParam), drawn.dc);
        EXPECT_EQ(sent.lParam, 0);
    }
    EXPECT_EQ(erases, 1);
    EXPECT_EQ(Window().DefaultProcessed(kWmIconEraseBkgnd), 1);
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, MinimisedPaint,
                         ::testing::Values(IconPlacement{0, 0, -15, -15},
                                           IconPlacement{36, 37, 2, 3}, IconPlacement{37, 36, 3, 2},
                                           IconPlacement{1, 100, -15, 34}),
                         [](const ::testing::TestParamInfo<IconPlacement>& placement) {
                             return "Client" + std::to_string(placement.param.width) + "x" +
                                    std::to_string(placement.param.height);
                         });

TEST_F(MemoryWindow, IconSizeComesFromTheSystemMetrics) {
    AddDriverKey();
    Start();
    System().SetSystemMetric(kSmCxIcon, 48);
    System().SetSystemMetric(kSmCyIcon, 16);
    Window().SetIconic(true);
    Window().SetClientSize(100, 100);

    Window().Paint();

    ASSERT_EQ(Window().DrawnIcons().size(), 1u);
    EXPECT_EQ(Window().DrawnIcons()[0].x, 26);
    EXPECT_EQ(Window().DrawnIcons()[0].y, 42);
}

TEST_F(MemoryWindow, NormalPaintAndSystemCommandsGoToDefaultProcessing) {
    AddDriverKey();
    Start();

    Window().Paint();
    Window().Dispatch(kWmSysCommand, 0xF020, 0);

    EXPECT_TRUE(Window().DrawnIcons().empty());
    EXPECT_EQ(Window().BeginPaintCalls(), 0);
    EXPECT_EQ(Window().DefaultProcessed(kWmPaint), 1);
    EXPECT_EQ(Window().DefaultProcessed(kWmSysCommand), 1);
    EXPECT_TRUE(Window().IsIconic());
}

TEST_F(MemoryWindow, IconIsLoadedOnceWhenTheWindowObjectIsMade) {
    m_manager = std::make_unique<ManagerDialog>(System(), m_registry, m_installer);

    EXPECT_EQ(System().LoadIconCalls(), 1);
    EXPECT_EQ(m_registry.OpenCalls(), 0);
    m_driver->Watch(*m_manager);
    ASSERT_TRUE(m_manager->Create(IDD_MANAGER, nullptr));
    EXPECT_EQ(System().LoadIconCalls(), 1);
    EXPECT_EQ(System().IconResourceId(Window().Icon(true)), IDR_MAINFRAME);
}

TEST_F(MemoryWindow, ListUsesOneTabStopAndTheAnchorFollowsTheCaret) {
    AddSampleDrivers();
    Start();
    EXPECT_THAT(Memory().Control(IDC_DRIVER_LIST).TabStops(), ElementsAre(48));

    m_driver->SelectLines({1, 3});
    EXPECT_EQ(Memory().Control(IDC_DRIVER_LIST).Anchor(), 3);
    m_driver->SelectLines({4, 0});
    EXPECT_EQ(Memory().Control(IDC_DRIVER_LIST).Anchor(), 0);
}

TEST_F(MemoryWindow, ProgressWindowIsOwnedByTheMainWindowAndPaintedAfterEveryStep) {
    AddSampleDrivers();
    std::vector<int> paintsSeen;
    m_installer.onConfigure = [&](const std::string&) {
        MemoryDialogWindow* progress = System().FindWindow(IDD_PROGRESS);
        ASSERT_NE(progress, nullptr);
        paintsSeen.push_back(progress->PaintNowCalls());
        EXPECT_FALSE(progress->IsModal());
        EXPECT_EQ(progress->ParentTemplateId(), IDD_MANAGER);
        EXPECT_FALSE(progress->Centred());
    };
    m_installer.SetResult("{BETA}", 1603);
    Start();
    m_driver->SelectLines({0, 1, 2});
    m_driver->QueueMessageBoxAnswer(kIdYes);

    m_driver->Click(IDC_REMOVE);

    EXPECT_THAT(paintsSeen, ElementsAre(1, 2, 3));
    MemoryDialogWindow* progress = System().LastCreated(IDD_PROGRESS);
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->IsDestroyed());
    EXPECT_EQ(progress->PaintNowCalls(), 4);
    EXPECT_THAT(progress->Control(IDC_PROGRESS)->PositionHistory(), ElementsAre(0, 1, 2, 3));
    EXPECT_EQ(System().CreatedCount(IDD_PROGRESS), 1);
    for (const MessageBoxCall& box : System().MessageBoxes()) {
        EXPECT_EQ(box.owner, m_manager->GetSafeHandle()) << box.text;
    }
}

TEST_F(MemoryWindow, RemovalRunsWithoutAProgressWindow) {
    AddSampleDrivers();
    // A window system that cannot make the progress window.
    MemoryWindowSystem system;
    system.AddTemplate(IDD_MANAGER, ManagerTemplate());
    ManagerDialog manager(system, m_registry, m_installer);
    ASSERT_TRUE(manager.Create(IDD_MANAGER, nullptr));
    MemoryDialogWindow& window = *system.FindWindow(IDD_MANAGER);
    window.Control(IDC_DRIVER_LIST)->UserSelect({0, 1});
    system.QueueMessageBoxAnswer(kIdYes);

    window.Click(IDC_REMOVE);

    EXPECT_EQ(system.CreatedCount(IDD_PROGRESS), 0);
    EXPECT_THAT(m_installer.RequestedCodes(), ElementsAre("{ALPHA}", "{BETA}"));
    EXPECT_THAT(window.Control(IDC_DRIVER_LIST)->Texts(),
                ElementsAre("Gamma\tLabVIEW", "Scope\tC", "Scope\tLabVIEW"));
    ASSERT_EQ(system.MessageBoxes().size(), 2u);
    EXPECT_EQ(system.MessageBoxes()[1].text, product::kAllRemoved);
    manager.DestroyWindow();
}

TEST_F(MemoryWindow, LinesWithoutAValidIndexNeverReachTheCatalog) {
    AddSampleDrivers();
    Start();
    Memory().Control(IDC_DRIVER_LIST).OverrideResult(kLbGetItemData, 99);

    m_driver->SelectLines({1});
    m_driver->Click(IDC_REMOVE);
    EXPECT_TRUE(m_driver->MessageBoxes().empty());

    m_driver->SelectLines({1, 2});
    m_driver->QueueMessageBoxAnswer(kIdYes);
    m_driver->Click(IDC_REMOVE);

    EXPECT_TRUE(m_installer.ConfigureCalls().empty());
    EXPECT_EQ(Items(IDC_DRIVER_LIST).size(), 5u);
}

TEST_F(MemoryWindow, ModalRunEndsWithDone) {
    AddSampleDrivers();
    m_manager = std::make_unique<ManagerDialog>(System(), m_registry, m_installer);
    m_driver->Watch(*m_manager);
    std::size_t linesDuringRun = 0;
    System().onModal = [&](MemoryDialogWindow& window) {
        linesDuringRun = window.Control(IDC_DRIVER_LIST)->Texts().size();
        EXPECT_TRUE(window.Centred());
        window.Click(kIdOk);
    };

    EXPECT_EQ(m_manager->DoModal(), kIdOk);
    EXPECT_EQ(linesDuringRun, 5u);
    EXPECT_EQ(m_manager->GetWindow(), nullptr);
}

// A registry whose every open throws, to see which errors the window absorbs.
template <class Error>
class ThrowingRegistry : public RegistryReader {
public:
    long OpenKey(const char*, RegistryView, RegistryKey*) override {
        throw Error("registry broke");
    }
    long EnumValue(RegistryKey, std::uint32_t, char*, std::uint32_t*, unsigned char*,
                   std::uint32_t*) override {
        return kRegistryNoMoreItems;
    }
    void CloseKey(RegistryKey) override {}
    long DeleteValue(const char*, RegistryView, const char*) override {
        throw Error("registry broke");
    }
};

TEST_F(MemoryWindow, RuntimeErrorsOfTheCatalogAreAbsorbed) {
    ThrowingRegistry<std::runtime_error> registry;
    m_manager = std::make_unique<ManagerDialog>(System(), registry, m_installer);
    m_driver->Watch(*m_manager);

    ASSERT_TRUE(m_manager->Create(IDD_MANAGER, nullptr));

    EXPECT_THAT(Items(IDC_DRIVER_LIST), ElementsAre(product::kPlaceholderLine));
    EXPECT_TRUE(m_driver->MessageBoxes().empty());
    m_manager->DestroyWindow();
    m_manager.reset();
}

TEST_F(MemoryWindow, OtherErrorsAreNotSwallowed) {
    ThrowingRegistry<std::logic_error> registry;
    m_manager = std::make_unique<ManagerDialog>(System(), registry, m_installer);
    m_driver->Watch(*m_manager);

    EXPECT_THROW(m_manager->Create(IDD_MANAGER, nullptr), std::logic_error);
    m_manager.reset();
}

// A registry whose reading of a value can be made to fail with an exception the window does not
// absorb, in the middle of a load.
class BreakingRegistry : public FakeRegistry {
public:
    long EnumValue(RegistryKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                   unsigned char* data, std::uint32_t* dataSize) override {
        if (m_breakAt == static_cast<int>(index)) throw std::logic_error("registry broke");
        return FakeRegistry::EnumValue(key, index, name, nameLength, data, dataSize);
    }
    void BreakAt(int index) { m_breakAt = index; }

private:
    int m_breakAt = -1;
};

TEST_F(MemoryWindow, FilterItemsNeverOutliveTheRecordsTheyPointInto) {
    BreakingRegistry registry;
    // Texts long enough to live on the heap, so that a stale pointer reads freed memory.
    registry.AddText(kDriversKeyPath, "{A}",
                     "Alpha Precision Driver;Digital Multimeter Class;"
                     "LabWindows/CVI Environment;Velmora Instruments");
    registry.AddText(kDriversKeyPath, "{B}",
                     "Beta Precision Driver;Oscilloscope Class Texts;"
                     "LabVIEW Graphical Environment;Acme Instruments");
    m_manager = std::make_unique<ManagerDialog>(System(), registry, m_installer);
    m_driver->Watch(*m_manager);
    ASSERT_TRUE(m_manager->Create(IDD_MANAGER, nullptr));
    ASSERT_EQ(Items(IDC_CLASS_FILTER).size(), 3u);

    registry.BreakAt(1);
    EXPECT_THROW(m_driver->Click(IDC_REFRESH), std::logic_error);
    Window().Notify(IDC_CLASS_FILTER, kCbnSelChange);

    for (int filter : {IDC_CLASS_FILTER, IDC_MANUFACTURER_FILTER, IDC_ADE_FILTER}) {
        EXPECT_TRUE(Items(filter).empty()) << "filter " << filter;
    }
    EXPECT_THAT(Items(IDC_DRIVER_LIST),
                ElementsAre("Alpha Precision Driver\tLabWindows/CVI Environment"));
    m_manager->DestroyWindow();
    m_manager.reset();
}

// The driver list's shortcut menu and keys. The sample lines, in list order: Alpha {ALPHA},
// beta {BETA}, Gamma {GAMMA}, Scope\tC {SCOPE-C}, Scope\tLabVIEW {SCOPE-LV}.
class DriverListCommands : public MemoryWindow {
protected:
    NativeHandle List() { return Memory().Control(IDC_DRIVER_LIST).GetHandle(); }
    MessageResult CtrlKey(unsigned key) {
        System().keysDown = {kVkControl};
        const MessageResult answer = Window().Dispatch(kWmVKeyToItem, key, 0);
        System().keysDown.clear();
        return answer;
    }
    // Right click on the list, choosing `command`; the menu's items as enabled or greyed.
    std::vector<bool> MenuFromTheList(int command) {
        System().menuChoices = {command};
        Window().Dispatch(kWmContextMenu, reinterpret_cast<WordParam>(List()), -1);
        std::vector<bool> enabled;
        if (System().menusShown.empty()) return enabled;
        for (const MenuItem& item : System().menusShown.back().items) {
            enabled.push_back(item.enabled);
        }
        return enabled;
    }
};

TEST_F(DriverListCommands, SelectAllTakesEveryDriverLineButNeverThePlaceholder) {
    AddSampleDrivers();
    Start();
    EXPECT_THAT(MenuFromTheList(0), ElementsAre(true, false, false, true));
    EXPECT_EQ(System().menusShown.back().anchor, List());
    EXPECT_EQ(Window().Dispatch(kWmVKeyToItem, 'A', 0), kVKeyDefault);
    EXPECT_TRUE(m_driver->SelectedLines().empty());
    EXPECT_EQ(CtrlKey('A'), kVKeyHandled);
    EXPECT_THAT(m_driver->SelectedLines(), ElementsAre(0, 1, 2, 3, 4));
    EXPECT_TRUE(m_driver->IsEnabled(IDC_REMOVE));
    EXPECT_THAT(MenuFromTheList(0), ElementsAre(true, true, true, true));
    // Delete and F5 stay the list's own keys; elsewhere than on the list the window's own
    // default menu goes on.
    EXPECT_EQ(CtrlKey(kVkDelete), kVKeyDefault);
    Window().Dispatch(kWmContextMenu, reinterpret_cast<WordParam>(Window().GetHandle()), 0);
    EXPECT_EQ(System().menusShown.size(), 2u);
    EXPECT_EQ(Window().DefaultProcessed(kWmContextMenu), 1);

    // While a removal holds the window's commands, a menu waits for its end and a key does nothing.
    m_driver->SelectLines({});
    m_manager->HoldCommands();
    EXPECT_EQ(CtrlKey('A'), kVKeyDefault);
    MenuFromTheList(IDM_SELECT_ALL);
    EXPECT_TRUE(m_driver->SelectedLines().empty());
    m_manager->ReleaseHeldCommands();
    EXPECT_THAT(m_driver->SelectedLines(), ElementsAre(0, 1, 2, 3, 4));

    m_registry = FakeRegistry();
    AddDriverKey();
    m_driver->Click(IDC_REFRESH);
    EXPECT_THAT(MenuFromTheList(IDM_SELECT_ALL), ElementsAre(false, false, false, false));
    EXPECT_EQ(CtrlKey('A'), kVKeyHandled);
    EXPECT_TRUE(m_driver->SelectedLines().empty());
}

TEST_F(DriverListCommands, CopyAndSaveWriteTheSelectionAsTheConsolesListDoes) {
    AddSampleDrivers();
    m_installer.SetInstalled("{SCOPE-C}");
    Start();
    m_driver->SelectLines({0, 3});

    EXPECT_EQ(CtrlKey('C'), kVKeyHandled);
    EXPECT_EQ(System().clipboard,
              "ProductCode,Name,Class,ADE,Manufacturer,Installed,Version,InstallDate,"
              "SoftwareModules,DriverSessions,LogicalNames\r\n"
              "{ALPHA},Alpha,DMM,C,Velmora,no,,,,,\r\n"
              "{SCOPE-C},Scope,Scope,C,Acme,yes,,,,,\r\n");

    System().nextFileChoice = "C:\\Lab\\Station 1.csv";
    MenuFromTheList(IDM_SAVE_SELECTION);
    EXPECT_EQ(System().proposedFileName, "Drivers.csv");
    EXPECT_EQ(System().files["C:\\Lab\\Station 1.csv"], System().clipboard);

    System().refusedPaths = {"C:\\Windows\\x.csv"};
    System().nextFileChoice = "C:\\Windows\\x.csv";
    EXPECT_EQ(CtrlKey('S'), kVKeyHandled);
    ASSERT_EQ(System().MessageBoxes().size(), 1u);
    EXPECT_EQ(System().MessageBoxes()[0].style, kMbOk | kMbIconError);
}

struct SelectFromListCase {
    const char* name;
    const char* file;  // null: the file cannot be read
    std::vector<int> selected;
    std::string box;
    bool error;
};

const SelectFromListCase kSelectFromListCases[] = {
    {"EveryRowMatches", "ProductCode,Name\r\n,scope*\r\n{alpha},\r\n", {0, 3, 4}, "", false},
    {"OneRowUnmatched", "Name,ADE\r\nAlpha,\r\nDelta,C\r\n", {0}, product::kOneRowUnmatched, false},
    {"NoRowMatches", "Manufacturer\r\nNobody\r\nNone\r\n", {}, product::RowsUnmatched(2), false},
    {"NotADriverList",
     "Name\r\nAlpha\r\n\"Gamma\r\n",
     {1, 2},
     "C:\\Lab\\list.csv line 3: not a driver list: not CSV: a quote out of place or never "
     "closed.",
     true},
    {"Unreadable", nullptr, {1, 2}, "C:\\Lab\\list.csv: the driver list cannot be read.", true},
};

class SelectFromList : public DriverListCommands,
                       public ::testing::WithParamInterface<SelectFromListCase> {};

TEST_P(SelectFromList, SelectsExactlyWhatTheListSelectsOrLeavesTheSelection) {
    AddSampleDrivers();
    Start();
    m_driver->SelectLines({1, 2});
    if (GetParam().file) System().files["C:\\Lab\\list.csv"] = GetParam().file;
    System().nextFileChoice = "C:\\Lab\\list.csv";

    EXPECT_EQ(CtrlKey('O'), kVKeyHandled);

    EXPECT_EQ(m_driver->SelectedLines(), GetParam().selected);
    EXPECT_EQ(m_driver->IsEnabled(IDC_REMOVE), !GetParam().selected.empty());
    if (GetParam().box.empty()) {
        EXPECT_TRUE(System().MessageBoxes().empty());
    } else {
        ASSERT_EQ(System().MessageBoxes().size(), 1u);
        EXPECT_EQ(System().MessageBoxes()[0].text, GetParam().box);
        EXPECT_EQ(System().MessageBoxes()[0].style,
                  kMbOk | (GetParam().error ? kMbIconError : kMbIconInformation));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectFromList, ::testing::ValuesIn(kSelectFromListCases),
                         [](const ::testing::TestParamInfo<SelectFromListCase>& c) {
                             return c.param.name;
                         });

}  // namespace
