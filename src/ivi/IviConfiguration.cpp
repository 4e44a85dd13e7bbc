#include "ivi/IviConfiguration.h"

#include <algorithm>
#include <cstddef>

#include "ivi/IviSystem.h"
#include "ivi/RegistryText.h"

namespace {

const char kServerKey[] = "SOFTWARE\\IVI\\CONFIGURATIONSERVER";
const char kMasterStore[] = "MasterStore";
const char kIviKey[] = "SOFTWARE\\IVI";
const char kStandardRoot[] = "IviStandardRootDir";
const char kClassesKey[] = "SOFTWARE\\Classes\\";

// A store no bigger than this is read; a larger one is not a configuration but an attack.
constexpr std::size_t kMaxStoreBytes = 64 * 1024 * 1024;

bool IsFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.compare(0, 2, "\\\\") == 0;
}

// A module path as a full path: a bare name lies in `bin`.
std::string ModuleFile(const std::string& path, const std::string& bin) {
    if (path.empty() || IsFullPath(path)) return path;
    return bin.empty() ? std::string() : bin + path;
}

// The Bin folder of the IVI root in `view`, with its separator; empty when there is no root.
std::string BinFolder(RegistryReader& registry, IviSystem& system, RegistryView view) {
    std::string root;
    if (!ReadRegistryText(registry, kIviKey, view, kStandardRoot, &root) || root.empty()) {
        return {};
    }
    root = system.Utf8FromCodePage(root);
    if (root.back() != '\\' && root.back() != '/') root += '\\';
    return root + "Bin\\";
}

// A registry key name taken from the store must stay below the key it is joined to.
bool IsKeyName(const std::string& name) {
    return !name.empty() && name.find('\\') == std::string::npos;
}

bool IsAmong(const std::string& name, const std::vector<std::string>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
    if (!IsAmong(name, names)) names.push_back(name);
}

}  // namespace

IviConfiguration IviConfiguration::Read(RegistryReader& registry, IviSystem& system) {
    IviConfiguration configuration(registry, system);
    system.ForgetProducts();
    configuration.Locate();
    return configuration;
}

void IviConfiguration::Locate() {
    // The configuration server keeps the path in both views and takes two different ones for
    // an error; a system with one view has only the first.
    std::string paths[2];
    bool found[2] = {false, false};
    const RegistryView views[2] = {RegistryView::Bits32, RegistryView::Bits64};
    for (int i = 0; i < 2; ++i) {
        found[i] = ReadRegistryText(*m_registry, kServerKey, views[i], kMasterStore, &paths[i]);
        paths[i] = m_system->Utf8FromCodePage(paths[i]);
    }
    if (!found[0] && !found[1]) return;
    const std::string& path = found[0] ? paths[0] : paths[1];
    m_state = State::Unreadable;
    if (found[0] && found[1] && !m_system->SamePath(paths[0], paths[1])) {
        m_failure = "the 32-bit and 64-bit registry views name different stores (" + paths[0] +
                    ", " + paths[1] + ")";
        return;
    }
    if (path.empty()) {
        m_failure = "the store's path (MasterStore) is empty";
        return;
    }
    Load(path);
}

void IviConfiguration::Load(const std::string& path) {
    std::string bytes;
    switch (m_system->ReadFile(path, kMaxStoreBytes, &bytes)) {
        case IviSystem::FileReading::Read:
            break;
        case IviSystem::FileReading::Missing:
            m_state = State::None;
            return;
        case IviSystem::FileReading::TooLarge:
            m_failure = path + " is larger than 64 MiB";
            return;
        case IviSystem::FileReading::Failed:
            m_failure = path + " cannot be read";
            return;
    }
    IviStoreReading reading = ReadIviStore(bytes);
    if (!reading.read) {
        m_failure = path + " " + reading.failure;
        return;
    }
    m_store = std::move(reading.store);
    m_state = State::Read;
    m_bin32 = BinFolder(*m_registry, *m_system, RegistryView::Bits32);
    m_bin64 = BinFolder(*m_registry, *m_system, RegistryView::Bits64);
}

std::vector<std::string> IviConfiguration::ClassServers(const std::string& progId) const {
    std::vector<std::string> servers;
    if (!IsKeyName(progId)) return servers;
    for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
        std::string classId;
        std::string server;
        if (ReadRegistryText(*m_registry, kClassesKey + progId + "\\CLSID", view, "", &classId) &&
            IsKeyName(classId) &&
            ReadRegistryText(*m_registry,
                             kClassesKey + std::string("CLSID\\") + classId + "\\InprocServer32",
                             view, "", &server) &&
            !server.empty()) {
            servers.push_back(m_system->Utf8FromCodePage(server));
        }
    }
    return servers;
}

bool IviConfiguration::IsModuleFile(const IviSoftwareModule& module,
                                    const std::string& file) const {
    std::vector<std::string> candidates = {ModuleFile(module.modulePath, m_bin32),
                                           ModuleFile(module.modulePath64, m_bin64)};
    if (module.modulePath.empty() && module.modulePath64.empty()) {
        candidates = ClassServers(module.progId);
    }
    return std::any_of(candidates.begin(), candidates.end(), [&](const std::string& candidate) {
        return !candidate.empty() && m_system->SamePath(candidate, file);
    });
}

std::vector<std::string> IviConfiguration::ModulesOf(const char* productCode) const {
    std::vector<std::string> names;
    if (m_state != State::Read) return names;
    const std::vector<std::string> files = m_system->ProductFiles(productCode);
    for (const IviSoftwareModule& module : m_store.modules) {
        const bool installed =
            std::any_of(files.begin(), files.end(),
                        [&](const std::string& file) { return IsModuleFile(module, file); });
        if (installed && !module.name.empty()) AddOnce(names, module.name);
    }
    return names;
}

IviUses IviConfiguration::UsesOf(const std::vector<std::string>& moduleNames) const {
    IviUses uses;
    if (m_state != State::Read || moduleNames.empty()) return uses;
    for (const IviSoftwareModule& module : m_store.modules) {
        if (IsAmong(module.name, moduleNames)) AddOnce(uses.softwareModules, module.name);
    }
    std::vector<int> sessions;
    for (std::size_t i = 0; i < m_store.sessions.size(); ++i) {
        const IviDriverSession& session = m_store.sessions[i];
        const bool references =
            session.module >= 0 &&
            IsAmong(m_store.modules[static_cast<std::size_t>(session.module)].name, moduleNames);
        const bool names = !session.moduleName.empty() && IsAmong(session.moduleName, moduleNames);
        if (references || names) {
            sessions.push_back(static_cast<int>(i));
            AddOnce(uses.driverSessions, session.name);
        }
    }
    for (const IviLogicalName& logicalName : m_store.logicalNames) {
        if (std::find(sessions.begin(), sessions.end(), logicalName.session) != sessions.end()) {
            AddOnce(uses.logicalNames, logicalName.name);
        }
    }
    return uses;
}
