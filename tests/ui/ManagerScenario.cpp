#include "ManagerScenario.h"

#include <algorithm>

#include "catalog/DriverCatalog.h"
#include "res/resource.h"

ManagerScenario::ManagerScenario() : m_driver(MakeUiDriver()) {}

ManagerScenario::~ManagerScenario() {
    if (m_manager) m_manager->DestroyWindow();
}

void ManagerScenario::AddDriver(const std::string& productCode, const std::string& value) {
    m_registry.AddText(kDriversKeyPath, productCode, value);
}

void ManagerScenario::AddSampleDrivers() {
    AddDriver("{ALPHA}", "Alpha;DMM;C;Velmora");
    AddDriver(kGammaCode, "Gamma;Scope;LabVIEW;Acme");
    AddDriver("{BETA}", "beta;DMM;LabVIEW;Velmora");
    AddDriver("{SCOPE-C}", "Scope;Scope;C;Acme");
    AddDriver("{SCOPE-LV}", "Scope;Scope;LabVIEW;Acme");
}

void ManagerScenario::AddDriverKey() { m_registry.AddKey(kDriversKeyPath); }

void ManagerScenario::Start() {
    m_manager = std::make_unique<ManagerDialog>(m_driver->System(), m_registry, m_installer,
                                                m_keepLogs ? &m_logFiles : nullptr, &m_ivi);
    m_driver->Watch(*m_manager);
    ASSERT_TRUE(m_manager->Create(IDD_MANAGER, nullptr));
}

std::vector<ManagerScenario::Line> ManagerScenario::Lines() {
    std::vector<Line> lines;
    const std::vector<std::string> texts = m_driver->Items(IDC_DRIVER_LIST);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        lines.push_back({texts[i], m_driver->ItemData(IDC_DRIVER_LIST, static_cast<int>(i))});
    }
    return lines;
}

int ManagerScenario::PositionOf(int controlId, const std::string& text) {
    const std::vector<std::string> items = m_driver->Items(controlId);
    const auto found = std::find(items.begin(), items.end(), text);
    EXPECT_NE(found, items.end()) << "no item \"" << text << "\" in control " << controlId;
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

int ManagerScenario::AllItemPosition(int controlId) {
    const int count = static_cast<int>(m_driver->Items(controlId).size());
    for (int position = 0; position < count; ++position) {
        if (m_driver->ItemData(controlId, position) == 0) return position;
    }
    ADD_FAILURE() << "no item with data 0 in control " << controlId;
    return -1;
}

std::string ManagerScenario::SelectedText(int controlId) {
    const int selection = m_driver->ComboSelection(controlId);
    const std::vector<std::string> items = m_driver->Items(controlId);
    if (selection < 0 || selection >= static_cast<int>(items.size())) return "(no selection)";
    return items[static_cast<std::size_t>(selection)];
}

void ManagerScenario::SelectLinesNamed(const std::vector<std::string>& texts) {
    std::vector<int> lines;
    for (const std::string& text : texts) lines.push_back(PositionOf(IDC_DRIVER_LIST, text));
    m_driver->SelectLines(lines);
}

std::vector<std::string> ManagerScenario::BoxTexts() {
    std::vector<std::string> texts;
    for (const UiDriver::MessageBoxSeen& box : m_driver->MessageBoxes()) texts.push_back(box.text);
    return texts;
}

void PrintTo(const UiDriver::MessageBoxSeen& box, std::ostream* out) {
    *out << "{\"" << box.text << "\", \"" << box.caption << "\", 0x" << std::hex << box.style
         << std::dec << "}";
}

bool operator==(const UiDriver::MessageBoxSeen& left, const UiDriver::MessageBoxSeen& right) {
    return left.text == right.text && left.caption == right.caption && left.style == right.style;
}

void PrintTo(const UiDriver::ProgressSeen& progress, std::ostream* out) {
    if (!progress.exists) {
        *out << "{no progress window}";
        return;
    }
    *out << "{range " << progress.low << ".." << progress.high << ", position " << progress.position
         << "}";
}

bool operator==(const UiDriver::ProgressSeen& left, const UiDriver::ProgressSeen& right) {
    if (!left.exists || !right.exists) return left.exists == right.exists;
    return left.low == right.low && left.high == right.high && left.position == right.position;
}
