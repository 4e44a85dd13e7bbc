#include "FakeInstaller.h"

#include <algorithm>
#include <cstring>

std::vector<std::string> FakeInstaller::RequestedCodes() const {
    std::vector<std::string> codes;
    for (const ConfigureCall& call : m_configureCalls) codes.push_back(call.productCode);
    return codes;
}

int FakeInstaller::SetInternalUi(int level, void** ownerWindow) {
    m_uiCalls.push_back({level, ownerWindow ? *ownerWindow : nullptr});
    int previous = m_level;
    m_level = level;
    return previous;
}

unsigned FakeInstaller::ConfigureProduct(const char* productCode, int installLevel,
                                         int installState, const char* commandLine) {
    std::string code = productCode ? productCode : "(null)";
    m_configureCalls.push_back(
        {code, installLevel, installState, commandLine ? commandLine : "(null)"});
    auto actions = m_actions.find(code);
    if (m_watcher != nullptr && actions != m_actions.end()) {
        for (const std::string& description : actions->second)
            m_watcher->OnActionStart(description);
    }
    if (onConfigure) onConfigure(code);
    m_cancelGiven = m_cancelRequested && m_honoursCancel;
    if (m_cancelGiven) return 1602;  // ERROR_INSTALL_USEREXIT
    auto found = m_results.find(code);
    if (found == m_results.end() || found->second.empty()) return 0u;
    const std::size_t turn = m_answered[code]++;
    return found->second[std::min(turn, found->second.size() - 1)];
}

unsigned FakeInstaller::EnableLog(unsigned logMode, const char* logFile, unsigned attributes) {
    m_logCalls.push_back({logMode, logFile ? logFile : "(null)", attributes});
    if (logFile != nullptr && (logMode & m_refusedLogModes) != 0) return m_logRefusal;
    return 0;
}

int FakeInstaller::QueryProductState(const char* productCode) {
    const auto found = productCode != nullptr ? m_states.find(productCode) : m_states.end();
    return found != m_states.end() ? found->second : -1;  // INSTALLSTATE_UNKNOWN
}

unsigned FakeInstaller::EnumProductsEx(const char* productCode) {
    const auto found =
        productCode != nullptr ? m_enumerations.find(productCode) : m_enumerations.end();
    if (found != m_enumerations.end()) return found->second;
    return QueryProductState(productCode) != -1 ? 0u : 259u;  // ERROR_NO_MORE_ITEMS
}

unsigned FakeInstaller::GetProductInfo(const char* productCode, const char* property, char* value,
                                       std::uint32_t* valueLength) {
    if (m_infoFailure != 0) return m_infoFailure;
    const auto product = m_info.find(productCode != nullptr ? productCode : "");
    if (product == m_info.end()) return 1605;  // ERROR_UNKNOWN_PRODUCT
    const auto found = product->second.find(property != nullptr ? property : "");
    if (found == product->second.end()) return 1608;  // ERROR_UNKNOWN_PROPERTY
    const std::string& text = found->second;
    const std::uint32_t capacity = *valueLength;
    *valueLength = static_cast<std::uint32_t>(text.size());
    if (text.size() + 1 > capacity) return 234;  // ERROR_MORE_DATA
    std::memcpy(value, text.c_str(), text.size() + 1);
    return 0;
}
