#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "FakeInstaller.h"
#include "FakeIviSystem.h"
#include "FakeLogFiles.h"
#include "FakeRegistry.h"
#include "UiDriver.h"
#include "ui/ManagerDialog.h"

// A FakeInstaller that lets a test look at the window while the UI level is being set.
class ObservingInstaller : public FakeInstaller {
public:
    std::function<void()> onSetInternalUi;

    int SetInternalUi(int level, void** ownerWindow) override {
        if (onSetInternalUi) onSetInternalUi();
        return FakeInstaller::SetInternalUi(level, ownerWindow);
    }
};

// One main window over a fake registry and a fake installer, driven through a UiDriver.
class ManagerScenario : public ::testing::Test {
public:
    struct Line {
        std::string text;
        LongParam data;
        bool operator==(const Line& other) const {
            return text == other.text && data == other.data;
        }
        friend void PrintTo(const Line& line, std::ostream* out) {
            *out << '"' << line.text << "\" " << line.data;
        }
    };

    ManagerScenario();
    ~ManagerScenario() override;

    // Registers a driver: `value` is "Name;Class;ADE;Manufacturer".
    void AddDriver(const std::string& productCode, const std::string& value);
    void AddDriverKey();
    // Five drivers whose catalog order (bytes) differs from the list order (letter case
    // ignored):
    //   catalog index  line                  class  manufacturer  product code
    //   0              "Alpha\tC"            DMM    Velmora       {ALPHA}
    //   1              "Gamma\tLabVIEW"      Scope  Acme          kGammaCode
    //   2              "Scope\tLabVIEW"      Scope  Acme          {SCOPE-LV}
    //   3              "Scope\tC"            Scope  Acme          {SCOPE-C}
    //   4              "beta\tLabVIEW"       DMM    Velmora       {BETA}
    // Gamma's product code alone is in the installer's own form, so that it can be found gone.
    static constexpr const char* kGammaCode = "{6A33A000-0000-4000-8000-0000000000C3}";
    void AddSampleDrivers();
    // Creates the main window; its initialisation reads the registry.
    void Start();

    std::vector<Line> Lines();
    std::vector<std::string> Items(int controlId) { return m_driver->Items(controlId); }
    // Position of the first item with this text; fails the test when there is none.
    int PositionOf(int controlId, const std::string& text);
    // Position of the item that filters by nothing (data 0).
    int AllItemPosition(int controlId);
    std::string SelectedText(int controlId);
    void Choose(int controlId, const std::string& text) {
        m_driver->ChooseFilterItem(controlId, PositionOf(controlId, text));
    }
    // Selects the lines with these texts.
    void SelectLinesNamed(const std::vector<std::string>& texts);
    std::vector<std::string> BoxTexts();

    FakeRegistry m_registry;
    ObservingInstaller m_installer;
    FakeLogFiles m_logFiles;
    // Holds no store until a scenario puts one there.
    FakeIviSystem m_ivi;
    // Whether failed removals keep their installer logs in m_logFiles; set before Start.
    bool m_keepLogs = false;
    std::unique_ptr<UiDriver> m_driver;
    std::unique_ptr<ManagerDialog> m_manager;
};

void PrintTo(const UiDriver::MessageBoxSeen& box, std::ostream* out);
bool operator==(const UiDriver::MessageBoxSeen& left, const UiDriver::MessageBoxSeen& right);
void PrintTo(const UiDriver::ProgressSeen& progress, std::ostream* out);
bool operator==(const UiDriver::ProgressSeen& left, const UiDriver::ProgressSeen& right);
