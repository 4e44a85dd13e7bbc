#pragma once

#include <string>
#include <vector>

#include "ivi/IviStore.h"

class IviSystem;
class RegistryReader;

// The names a driver is known by in the IVI configuration, each in the store's order: its
// software modules, the driver sessions that use them, and the logical names that point at those
// sessions.
struct IviUses {
    std::vector<std::string> softwareModules;
    std::vector<std::string> driverSessions;
    std::vector<std::string> logicalNames;

    // Whether a test program may reach the driver: a session or a logical name leads to it.
    bool InUse() const { return !driverSessions.empty() || !logicalNames.empty(); }
    bool Empty() const { return softwareModules.empty() && !InUse(); }
};

// The IVI configuration store of this machine, read once; Calvorn never changes it.
class IviConfiguration {
public:
    enum class State {
        None,        // no store is configured, or its file is not there: nothing uses a driver
        Read,        // the store was read
        Unreadable,  // a store is configured but cannot be read; Failure says why
    };

    // Reads the store that the registry's MasterStore names.
    static IviConfiguration Read(RegistryReader& registry, IviSystem& system);

    State GetState() const { return m_state; }
    const std::string& Failure() const { return m_failure; }

    // The names of the software modules whose files the product installed: the module file in
    // the Bin folder of the IVI root of its bitness, or at the full path given, or for a module
    // without a path, the server of its ProgID's class.
    std::vector<std::string> ModulesOf(const char* productCode) const;
    // What the store holds of the named modules: those it still has, the driver sessions that
    // reference one of them or name it, and the logical names that point at those sessions.
    IviUses UsesOf(const std::vector<std::string>& moduleNames) const;

private:
    IviConfiguration(RegistryReader& registry, IviSystem& system)
        : m_registry(&registry), m_system(&system) {}

    void Locate();
    void Load(const std::string& path);
    bool IsModuleFile(const IviSoftwareModule& module, const std::string& file) const;
    std::vector<std::string> ClassServers(const std::string& progId) const;

    RegistryReader* m_registry;
    IviSystem* m_system;
    State m_state = State::None;
    std::string m_failure;
    IviStore m_store;
    std::string m_bin32;
    std::string m_bin64;
};
