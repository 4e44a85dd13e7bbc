// The main window over the in-memory window system: a registry decoded from the input, then a
// decoded sequence of what a user does (filter choices, selections, Remove by button or Delete
// answered Yes or No, F5, Refresh, any other key) while the registry changes between steps and
// the installer fails for some products. After every step the window is checked against a model
// of what it must show, and every installer call against what the user asked for.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "FakeRegistry.h"
#include "FuzzCheck.h"
#include "FuzzModel.h"
#include "MemoryUiDriver.h"
#include "ProductTexts.h"
#include "catalog/DriverCatalog.h"
#include "installer/WindowsInstaller.h"
#include "res/resource.h"
#include "ui/ManagerDialog.h"

namespace {

using product::kAllItem;
using product::kPlaceholderLine;

constexpr unsigned kBusy = 1618;
// How often a busy installer is asked in all before the removal counts as failed.
constexpr std::size_t kBusyCalls = 601;
constexpr unsigned kUnknownProduct = 1605;
const unsigned kResults[] = {0, 1603, 3010, 1641, kBusy, kUnknownProduct, 87};
// INSTALLSTATE_UNKNOWN, _DEFAULT, _ABSENT (another user's), _ADVERTISED, _INVALIDARG.
const int kStates[] = {-1, 5, 2, 1, -2};
// The first answer of an enumeration over every user: none, one found, an error.
const unsigned kEnumerations[] = {259, 259, 0, 1610};
// Product codes in the installer's own form; a driver of any other name is never gone.
const char* const kCanonicalCodes[] = {"{0000000A-0000-4000-8000-00000000000A}",
                                       "{0000000B-0000-4000-8000-00000000000B}",
                                       "{0000000C-0000-4000-8000-00000000000C}"};
const int kFilters[] = {IDC_CLASS_FILTER, IDC_MANUFACTURER_FILTER, IDC_ADE_FILTER};
const DriverField kFilterFields[] = {DriverField::Class, DriverField::Manufacturer,
                                     DriverField::Ade};
// The reference catalog's starting capacity: what a load holds does not depend on it (the
// catalog-load target varies it), so any size will do.
constexpr int kReferenceCapacity = 20;

// Answers each product's removals from its script, reset before every command; records calls.
class ScriptedInstaller : public WindowsInstaller {
public:
    std::map<std::string, std::vector<unsigned>> scripts;
    // Product states by code; -1 (INSTALLSTATE_UNKNOWN) for any other.
    std::map<std::string, int> states;
    // First EnumProductsEx answers by code; 259 (ERROR_NO_MORE_ITEMS) for any other.
    std::map<std::string, unsigned> enumerations;
    std::vector<std::string> calls;

    int SetInternalUi(int level, void**) override { return level; }
    unsigned ConfigureProduct(const char* productCode, int, int, const char*) override {
        FUZZ_CHECK(productCode != nullptr);
        calls.emplace_back(productCode);
        const auto found = scripts.find(productCode);
        if (found == scripts.end() || found->second.empty()) return 0;
        const std::size_t turn = m_turns[productCode]++;
        return found->second[std::min(turn, found->second.size() - 1)];
    }
    unsigned EnableLog(unsigned, const char*, unsigned) override { return 0; }
    int QueryProductState(const char* productCode) override {
        FUZZ_CHECK(productCode != nullptr);
        const auto found = states.find(productCode);
        return found != states.end() ? found->second : -1;
    }
    unsigned EnumProductsEx(const char* productCode) override {
        FUZZ_CHECK(productCode != nullptr);
        const auto found = enumerations.find(productCode);
        return found != enumerations.end() ? found->second : 259;
    }
    unsigned GetProductInfo(const char*, const char*, char*, std::uint32_t*) override {
        return 1605;
    }
    void WaitBeforeRetry(unsigned) override {}
    void WatchActions(InstallerActions*) override {}
    void RequestCancel() override {}
    bool CancelRequested() override { return false; }
    void ClearCancelRequest() override {}
    bool CancelGiven() override { return false; }
    void Reset() {
        calls.clear();
        m_turns.clear();
    }

private:
    std::map<std::string, std::size_t> m_turns;
};

struct StoredValue {
    RegistryView view;
    std::string name;
    std::vector<unsigned char> data;
};

std::string Pick(FuzzedDataProvider& input, const std::vector<std::string>& pool) {
    if (input.ConsumeIntegralInRange<int>(0, 7) == 0) return input.ConsumeRandomLengthString(12);
    return pool[input.ConsumeIntegralInRange<std::size_t>(0, pool.size() - 1)];
}

// Mostly well-formed driver values from small pools, so that filters match and texts repeat;
// sometimes any bytes at all.
StoredValue DecodeValue(FuzzedDataProvider& input) {
    static const std::vector<std::string> codes = {
        "{A}", "{B}", "{C}", kCanonicalCodes[0], kCanonicalCodes[1], kCanonicalCodes[2]};
    static const std::vector<std::string> names = {"Alpha", "beta", "Scope", "Gamma", "alpha"};
    static const std::vector<std::string> classes = {"DMM", "Scope", "<All>", "dmm"};
    static const std::vector<std::string> ades = {"C", "LabVIEW", ".NET", "<All>"};
    static const std::vector<std::string> makers = {"Velmora", "Acme", "_x", "acme"};
    StoredValue value;
    value.view =
        input.ConsumeIntegralInRange<int>(0, 3) == 0 ? RegistryView::Bits64 : RegistryView::Bits32;
    // A value's name reaches the catalog as a C string, so it ends at its first NUL; names that
    // differ only after one would be two values with one product code.
    value.name = Pick(input, codes);
    value.name = value.name.substr(0, value.name.find('\0'));
    std::string text;
    if (input.ConsumeIntegralInRange<int>(0, 7) == 0) {
        text = input.ConsumeRandomLengthString(300);
    } else {
        text = Pick(input, names) + ";" + Pick(input, classes) + ";" + Pick(input, ades) + ";" +
               Pick(input, makers);
    }
    value.data.assign(text.begin(), text.end());
    if (input.ConsumeIntegralInRange<int>(0, 7) != 0) value.data.push_back(0);
    return value;
}

// The registry as the model holds it: one value per name and view, as the platform's would.
void Store(std::vector<StoredValue>& values, StoredValue value) {
    for (StoredValue& stored : values) {
        if (stored.view == value.view && stored.name == value.name) {
            stored = std::move(value);
            return;
        }
    }
    values.push_back(std::move(value));
}

void Rebuild(FakeRegistry& registry, const std::vector<StoredValue>& values, bool keys[2]) {
    registry = FakeRegistry();
    const RegistryView views[] = {RegistryView::Bits32, RegistryView::Bits64};
    for (int view = 0; view < 2; ++view) {
        if (keys[view]) registry.AddKey(kDriversKeyPath, views[view]);
    }
    for (const StoredValue& value : values) {
        if (keys[value.view == RegistryView::Bits64 ? 1 : 0]) {
            registry.AddBytes(kDriversKeyPath, value.name, value.data, value.view);
        }
    }
}

struct Line {
    std::string text;
    LongParam data;
    bool operator<(const Line& other) const {
        return text != other.text ? text < other.text : data < other.data;
    }
    bool operator==(const Line& other) const { return text == other.text && data == other.data; }
};

class Session {
public:
    Session(FuzzedDataProvider& input) : m_input(input) {
        const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 10);
        for (std::size_t i = 0; i < count; ++i) Store(m_values, DecodeValue(input));
        m_keys[0] = input.ConsumeIntegralInRange<int>(0, 9) != 0;
        m_keys[1] = input.ConsumeBool();
        Rebuild(m_registry, m_values, m_keys);

        m_ui.Memory().onMessageBox = [this](const MessageBoxCall& call) {
            m_boxes.push_back(call.text);
            if ((call.style & kMbYesNo) != 0) {
                m_ui.QueueMessageBoxAnswer(m_answerYes ? kIdYes : kIdNo);
            }
        };
        m_manager = std::make_unique<ManagerDialog>(m_ui.System(), m_registry, m_installer);
        m_ui.Watch(*m_manager);
        FUZZ_CHECK(m_manager->Create(IDD_MANAGER, nullptr));
        m_records = Reference();
        CheckWindow();
    }

    ~Session() { m_manager->DestroyWindow(); }

    void Step() {
        switch (m_input.ConsumeIntegralInRange<int>(0, 7)) {
            case 0:
                ChooseFilter();
                break;
            case 1:
                SelectLines();
                break;
            case 2:
                Remove([this] { m_ui.Click(IDC_REMOVE); }, m_ui.IsEnabled(IDC_REMOVE));
                break;
            case 3: {
                const unsigned flags = KeyFlags();
                Remove([&] { m_ui.KeyDown(kVkDelete, 1, flags); }, flags == 0);
                break;
            }
            case 4:
                Refresh(true);
                break;
            case 5: {
                const unsigned flags = KeyFlags();
                Refresh(false, flags);
                break;
            }
            case 6:
                OtherKey();
                break;
            default:
                ChangeRegistry();
                break;
        }
        CheckWindow();
    }

private:
    unsigned KeyFlags() {
        return m_input.ConsumeBool() ? 0u : m_input.ConsumeIntegral<std::uint16_t>();
    }

    std::vector<Line> Lines() {
        std::vector<Line> lines;
        const std::vector<std::string> texts = m_ui.Items(IDC_DRIVER_LIST);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            lines.push_back({texts[i], m_ui.ItemData(IDC_DRIVER_LIST, static_cast<int>(i))});
        }
        return lines;
    }

    // The text a filter filters by: empty for its "<All>" item.
    std::string FilterText(int filter) {
        const int selection = m_ui.ComboSelection(filter);
        FUZZ_CHECK(selection >= 0);
        const LongParam data = m_ui.ItemData(filter, selection);
        return data == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data));
    }

    void CheckWindow() {
        for (int filter = 0; filter < 3; ++filter)
            CheckFilter(kFilters[filter], kFilterFields[filter]);
        const std::vector<Line> lines = Lines();
        if (m_records.empty()) {
            FUZZ_CHECK(lines.size() == 1 && lines[0].text == kPlaceholderLine);
            return;
        }
        std::string filters[3];
        for (int filter = 0; filter < 3; ++filter) filters[filter] = FilterText(kFilters[filter]);
        std::vector<Line> expected;
        for (std::size_t index = 0; index < m_records.size(); ++index) {
            if (m_gone.count(index) != 0) continue;
            const ModelRecord& record = m_records[index];
            bool matches = true;
            for (int filter = 0; filter < 3; ++filter) {
                const std::string& text = filters[filter];
                if (!text.empty() && text != kAllItem &&
                    text != FieldOf(record, kFilterFields[filter])) {
                    matches = false;
                }
            }
            if (!matches) continue;
            std::string line = FieldOf(record, DriverField::Name);
            if (filters[2].empty()) line += "\t" + FieldOf(record, DriverField::Ade);
            expected.push_back({line, static_cast<LongParam>(index)});
        }
        std::vector<Line> actual = lines;
        std::sort(actual.begin(), actual.end());
        std::sort(expected.begin(), expected.end());
        FUZZ_CHECK(actual == expected);
    }

    // "<All>" with no data, then each distinct text of the field once, its data its own text.
    void CheckFilter(int filter, DriverField field) {
        const std::vector<std::string> items = m_ui.Items(filter);
        std::vector<std::string> expected = {kAllItem};
        for (const ModelRecord& record : m_records) {
            const std::string text = FieldOf(record, field);
            if (std::find(expected.begin() + 1, expected.end(), text) == expected.end()) {
                expected.push_back(text);
            }
        }
        std::vector<std::string> actual = items;
        std::sort(actual.begin(), actual.end());
        std::sort(expected.begin(), expected.end());
        FUZZ_CHECK(actual == expected);
        int allItems = 0;
        for (std::size_t position = 0; position < items.size(); ++position) {
            const LongParam data = m_ui.ItemData(filter, static_cast<int>(position));
            if (data == 0) {
                FUZZ_CHECK(items[position] == kAllItem);
                ++allItems;
            } else {
                FUZZ_CHECK(items[position] == reinterpret_cast<const char*>(data));
            }
        }
        FUZZ_CHECK(allItems == 1);
    }

    void ChooseFilter() {
        const int filter = kFilters[m_input.ConsumeIntegralInRange<int>(0, 2)];
        const int count = static_cast<int>(m_ui.Items(filter).size());
        const int position = m_input.ConsumeIntegralInRange<int>(-1, count);
        m_ui.ChooseFilterItem(filter, position);
        // Only a position that holds an item is a choice, and every choice refills the list.
        if (position >= 0 && position < count) m_gone.clear();
    }

    void SelectLines() {
        const int count = static_cast<int>(m_ui.Items(IDC_DRIVER_LIST).size());
        std::vector<int> lines;
        for (int line = 0; line < count && m_input.remaining_bytes() > 0; ++line) {
            if (m_input.ConsumeBool()) lines.push_back(line);
        }
        m_ui.SelectLines(lines);
        FUZZ_CHECK(m_ui.SelectedLines() == lines);
    }

    void Refresh(bool byButton, unsigned flags = 0) {
        int before[3];
        for (int filter = 0; filter < 3; ++filter) {
            before[filter] = m_ui.ComboSelection(kFilters[filter]);
        }
        if (byButton) {
            m_ui.Click(IDC_REFRESH);
        } else {
            m_ui.KeyDown(kVkF5, 1, flags);
            // A key-down that carries flags came from the keyboard, not from us: ignored.
            if (flags != 0) return;
        }
        m_records = Reference();
        m_gone.clear();
        // Each filter keeps its position while the new items have one, else shows "<All>".
        for (int filter = 0; filter < 3; ++filter) {
            const int count = static_cast<int>(m_ui.Items(kFilters[filter]).size());
            const int selection = m_ui.ComboSelection(kFilters[filter]);
            if (before[filter] >= 0 && before[filter] < count) {
                FUZZ_CHECK(selection == before[filter]);
            } else {
                FUZZ_CHECK(m_ui.ItemData(kFilters[filter], selection) == 0);
            }
        }
    }

    // Any key but the two commands, which steps of their own cover: nothing happens.
    void OtherKey() {
        unsigned key = m_input.ConsumeIntegral<std::uint8_t>();
        if (key == kVkDelete || key == kVkF5) ++key;
        const unsigned flags = KeyFlags();
        const std::vector<Line> before = Lines();
        const std::size_t boxes = m_boxes.size();
        m_ui.KeyDown(key, 1, flags);
        FUZZ_CHECK(m_boxes.size() == boxes);
        FUZZ_CHECK(Lines() == before);
    }

    void ChangeRegistry() {
        switch (m_input.ConsumeIntegralInRange<int>(0, 3)) {
            case 0:
                Store(m_values, DecodeValue(m_input));
                break;
            case 1:
                if (!m_values.empty()) {
                    m_values.erase(
                        m_values.begin() +
                        static_cast<std::ptrdiff_t>(
                            m_input.ConsumeIntegralInRange<std::size_t>(0, m_values.size() - 1)));
                }
                break;
            default: {
                const int view = m_input.ConsumeBool() ? 1 : 0;
                m_keys[view] = !m_keys[view];
                break;
            }
        }
        Rebuild(m_registry, m_values, m_keys);
        m_reference.reset();
    }

    // What the window's catalog holds after a load of the registry as it stands: the catalog
    // over the same fake (the catalog-load target checks it on its own), loaded once for each
    // state of the registry.
    const std::vector<ModelRecord>& Reference() {
        if (m_reference) return *m_reference;
        ScriptedInstaller unused;
        DriverCatalog catalog(m_registry, unused, kDriversKeyPath, kReferenceCapacity);
        try {
            catalog.Reload();
            m_reference = Contents(catalog);
        } catch (const std::runtime_error&) {
            m_reference.emplace();
        }
        return *m_reference;
    }

    // Runs a Remove command that the window acts on when `acts`; the user's answer and the
    // installer's results come from the input.
    template <typename Command>
    void Remove(Command command, bool acts) {
        m_answerYes = m_input.ConsumeBool();
        m_installer.Reset();
        m_installer.scripts.clear();
        m_installer.states.clear();
        m_installer.enumerations.clear();
        for (const ModelRecord& record : m_records) {
            std::vector<unsigned> script = {m_input.PickValueInArray(kResults)};
            if (script[0] == kBusy) script.push_back(m_input.PickValueInArray(kResults));
            const std::string& code = FieldOf(record, DriverField::ProductCode);
            m_installer.scripts[code] = script;
            m_installer.states[code] = m_input.PickValueInArray(kStates);
            m_installer.enumerations[code] = m_input.PickValueInArray(kEnumerations);
        }

        const std::vector<Line> before = Lines();
        const std::vector<int> selected = m_ui.SelectedLines();
        const std::size_t boxes = m_boxes.size();
        command();
        const std::vector<std::string> shown(m_boxes.begin() + static_cast<std::ptrdiff_t>(boxes),
                                             m_boxes.end());
        FUZZ_CHECK(m_ui.Memory().FindWindow(IDD_PROGRESS) == nullptr);

        if (!acts || selected.empty() || m_records.empty()) {
            FUZZ_CHECK(shown.empty());
            FUZZ_CHECK(m_installer.calls.empty());
            FUZZ_CHECK(Lines() == before);
            return;
        }
        FUZZ_CHECK(!shown.empty());
        const std::string question =
            selected.size() > 1 ? std::string(product::kConfirmSeveral)
                                : product::ConfirmOne(FieldOf(
                                      m_records[static_cast<std::size_t>(before[selected[0]].data)],
                                      DriverField::Name));
        FUZZ_CHECK(shown[0] == question);
        if (!m_answerYes) {
            FUZZ_CHECK(shown.size() == 1);
            FUZZ_CHECK(m_installer.calls.empty());
            FUZZ_CHECK(Lines() == before);
            FUZZ_CHECK(m_ui.SelectedLines() == selected);
            return;
        }

        // Every selected line, top to bottom, tried once: a busy installer is asked again for
        // the same product only.
        std::vector<std::string> expectedCalls;
        std::vector<std::string> expectedBoxes = {question};
        std::vector<Line> left;
        std::vector<int> stillSelected;
        bool failed = false;
        bool restart = false;
        for (std::size_t line = 0, next = 0; line < before.size(); ++line) {
            if (next >= selected.size() || selected[next] != static_cast<int>(line)) {
                left.push_back(before[line]);
                continue;
            }
            ++next;
            const auto index = static_cast<std::size_t>(before[line].data);
            const ModelRecord& record = m_records[index];
            const std::string& code = FieldOf(record, DriverField::ProductCode);
            const std::vector<unsigned>& script = m_installer.scripts[code];
            const unsigned result = script.back();
            const std::size_t calls = script[0] != kBusy ? 1 : (result == kBusy ? kBusyCalls : 2);
            expectedCalls.insert(expectedCalls.end(), calls, code);
            const std::string& name = FieldOf(record, DriverField::Name);
            // A product the installer knows nothing of, for nobody, is offered to be forgotten;
            // Yes deletes its values in every view, and forgets it if there were any.
            const bool gone =
                result == kUnknownProduct && m_installer.states[code] == -1 &&
                m_installer.enumerations[code] == 259 &&
                std::count(std::begin(kCanonicalCodes), std::end(kCanonicalCodes), code) != 0;
            if (gone) expectedBoxes.push_back(product::NotInstalled(name));
            const bool forgotten = gone && m_answerYes && Forget(code);
            if (result == 0 || result == 3010 || result == 1641 || forgotten) {
                restart = restart || result == 3010 || result == 1641;
                m_gone.insert(index);
            } else {
                failed = true;
                if (!gone || m_answerYes) expectedBoxes.push_back(product::NotRemoved(name));
                stillSelected.push_back(static_cast<int>(left.size()));
                left.push_back(before[line]);
            }
        }
        expectedBoxes.push_back(failed ? product::kSomeNotRemoved : product::kAllRemoved);
        if (restart) expectedBoxes.push_back(product::kRestartNeeded);

        FUZZ_CHECK(m_installer.calls == expectedCalls);
        FUZZ_CHECK(shown == expectedBoxes);
        FUZZ_CHECK(Lines() == left);
        FUZZ_CHECK(m_ui.SelectedLines() == stillSelected);
        CheckRegistry();
    }

    // Only the values of forgotten drivers are gone from the registry.
    void CheckRegistry() {
        const RegistryView views[] = {RegistryView::Bits32, RegistryView::Bits64};
        for (int view = 0; view < 2; ++view) {
            std::vector<std::string> expected;
            for (const StoredValue& value : m_values) {
                if (m_keys[view] && value.view == views[view]) expected.push_back(value.name);
            }
            FUZZ_CHECK(m_registry.ValueNames(kDriversKeyPath, views[view]) == expected);
        }
    }

    // The values of `code` in the views whose key is there, as the window deletes them; whether
    // there were any.
    bool Forget(const std::string& code) {
        const auto kept =
            std::remove_if(m_values.begin(), m_values.end(), [&](const StoredValue& value) {
                return value.name == code && m_keys[value.view == RegistryView::Bits64];
            });
        const bool any = kept != m_values.end();
        m_values.erase(kept, m_values.end());
        m_reference.reset();
        return any;
    }

    FuzzedDataProvider& m_input;
    std::vector<StoredValue> m_values;
    bool m_keys[2] = {true, false};
    FakeRegistry m_registry;
    ScriptedInstaller m_installer;
    MemoryUiDriver m_ui;
    std::unique_ptr<ManagerDialog> m_manager;
    // The window's catalog as of its last load, and the records whose lines a removal took out
    // of the list since its last fill.
    std::vector<ModelRecord> m_records;
    std::set<std::size_t> m_gone;
    std::optional<std::vector<ModelRecord>> m_reference;
    bool m_answerYes = false;
    std::vector<std::string> m_boxes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider input(bytes, size);
    Session session(input);
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) session.Step();
    return 0;
}
