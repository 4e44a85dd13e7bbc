#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ivi/IviConfiguration.h"

class CommandSystem;
class IviSystem;
class RegistryReader;

// The IVI configuration as the console reads it: first when a driver's uses are asked for, again
// after each removal that may have changed it. A store that cannot be read is said once on the
// error stream, and the run goes on as if nothing used any driver.
class ConsoleIvi {
public:
    // Without `ivi` nothing is read and no driver has uses.
    ConsoleIvi(RegistryReader& registry, IviSystem* ivi, CommandSystem& system)
        : m_registry(registry), m_ivi(ivi), m_system(system) {}

    // The product's software modules and what uses them.
    IviUses UsesOf(const char* productCode);
    // What the store, read again, still holds of the named modules.
    IviUses StillHeld(const std::vector<std::string>& modules);

private:
    const IviConfiguration* Configuration();

    RegistryReader& m_registry;
    IviSystem* m_ivi;
    CommandSystem& m_system;
    std::optional<IviConfiguration> m_configuration;
    bool m_failureSaid = false;
};
