#include "cmd/ConsoleIvi.h"

#include "cmd/CommandSystem.h"

const IviConfiguration* ConsoleIvi::Configuration() {
    if (!m_ivi) return nullptr;
    if (!m_configuration) {
        m_configuration = IviConfiguration::Read(m_registry, *m_ivi);
        if (m_configuration->GetState() == IviConfiguration::State::Unreadable && !m_failureSaid) {
            m_failureSaid = true;
            m_system.WriteError("CalvornCmd: the IVI configuration could not be read: " +
                                m_configuration->Failure() + ".\n");
        }
    }
    return &*m_configuration;
}

IviUses ConsoleIvi::UsesOf(const char* productCode) {
    const IviConfiguration* configuration = Configuration();
    if (!configuration) return {};
    return configuration->UsesOf(configuration->ModulesOf(productCode));
}

IviUses ConsoleIvi::StillHeld(const std::vector<std::string>& modules) {
    if (modules.empty()) return {};
    m_configuration.reset();
    const IviConfiguration* configuration = Configuration();
    return configuration ? configuration->UsesOf(modules) : IviUses{};
}
