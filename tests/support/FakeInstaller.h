#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "installer/WindowsInstaller.h"

// Records every installer call and answers removals from a table of results by product code
// (0 for codes it was not given). Only the products it was told of are installed, with the
// information it was given for them; a removal does not change that. `onConfigure` runs inside each
// removal, before it answers, so a test can look at the windows while the "installer" works. Waits
// before a retry return at once and are only counted.
class FakeInstaller : public WindowsInstaller {
public:
    struct UiCall {
        int level;
        void* owner;
    };
    struct LogCall {
        unsigned mode;
        std::string file;  // "(null)" stands for a null pointer
        unsigned attributes;
    };
    struct ConfigureCall {
        std::string productCode;
        int installLevel;
        int installState;
        std::string commandLine;  // "(null)" stands for a null pointer
    };

    void SetResult(const std::string& productCode, unsigned result) {
        m_results[productCode] = {result};
    }
    // Answers the removals of `productCode` with `results` in turn, then with the last forever.
    void SetResults(const std::string& productCode, std::vector<unsigned> results) {
        m_results[productCode] = std::move(results);
    }

    void SetInstalled(const std::string& productCode) { m_states[productCode] = 5; }
    // QueryProductState answers `state` for the product (-1 for products it was not told of).
    void SetProductState(const std::string& productCode, int state) {
        m_states[productCode] = state;
    }
    // EnumProductsEx answers `result` for the product; unset, it finds the products whose state
    // is known (not -1) and answers 259 (ERROR_NO_MORE_ITEMS) for the others.
    void SetEnumeration(const std::string& productCode, unsigned result) {
        m_enumerations[productCode] = result;
    }
    // GetProductInfo of the product's `property` answers `value`; anything not set answers 1608
    // (ERROR_UNKNOWN_PROPERTY), and a product it was not told of 1605.
    void SetProductInfo(const std::string& productCode, const std::string& property,
                        const std::string& value) {
        m_info[productCode][property] = value;
    }
    // GetProductInfo answers `result` whatever it is asked.
    void FailProductInfo(unsigned result) { m_infoFailure = result; }

    const std::vector<UiCall>& UiCalls() const { return m_uiCalls; }
    const std::vector<ConfigureCall>& ConfigureCalls() const { return m_configureCalls; }
    const std::vector<LogCall>& LogCalls() const { return m_logCalls; }
    // EnableLog answers this for any mode that has these flags; 0 otherwise.
    void RefuseLogModes(unsigned flags, unsigned result) {
        m_refusedLogModes = flags;
        m_logRefusal = result;
    }
    std::vector<std::string> RequestedCodes() const;
    // Milliseconds waited before retries, in all.
    unsigned long long WaitedMilliseconds() const { return m_waited; }

    // The action descriptions each removal of `productCode` tells its watcher, before
    // onConfigure runs.
    void SetActions(const std::string& productCode, std::vector<std::string> descriptions) {
        m_actions[productCode] = std::move(descriptions);
    }
    // Whether a cancel requested before a removal answers reaches it, which then answers 1602 as
    // Windows Installer does; without, the removal ends before the cancel reaches it (or ignores
    // it, as Wine's does) and answers as it would have.
    void HonourCancel(bool honour) { m_honoursCancel = honour; }
    int CancelRequests() const { return m_cancelRequests; }

    std::function<void(const std::string& productCode)> onConfigure;

    int SetInternalUi(int level, void** ownerWindow) override;
    unsigned ConfigureProduct(const char* productCode, int installLevel, int installState,
                              const char* commandLine) override;
    unsigned EnableLog(unsigned logMode, const char* logFile, unsigned attributes) override;
    int QueryProductState(const char* productCode) override;
    unsigned EnumProductsEx(const char* productCode) override;
    unsigned GetProductInfo(const char* productCode, const char* property, char* value,
                            std::uint32_t* valueLength) override;
    void WaitBeforeRetry(unsigned milliseconds) override { m_waited += milliseconds; }
    void WatchActions(InstallerActions* watcher) override { m_watcher = watcher; }
    void RequestCancel() override {
        m_cancelRequested = true;
        ++m_cancelRequests;
    }
    bool CancelRequested() override { return m_cancelRequested; }
    void ClearCancelRequest() override { m_cancelRequested = false; }
    bool CancelGiven() override { return m_cancelGiven; }

private:
    std::map<std::string, std::vector<unsigned>> m_results;
    std::map<std::string, std::size_t> m_answered;
    std::map<std::string, int> m_states;
    std::map<std::string, unsigned> m_enumerations;
    std::map<std::string, std::map<std::string, std::string>> m_info;
    unsigned m_infoFailure = 0;
    unsigned long long m_waited = 0;
    std::vector<UiCall> m_uiCalls;
    std::vector<ConfigureCall> m_configureCalls;
    std::vector<LogCall> m_logCalls;
    unsigned m_refusedLogModes = 0;
    unsigned m_logRefusal = 0;
    int m_level = 5;
    std::map<std::string, std::vector<std::string>> m_actions;
    InstallerActions* m_watcher = nullptr;
    bool m_cancelRequested = false;
    bool m_cancelGiven = false;
    bool m_honoursCancel = true;
    int m_cancelRequests = 0;
};
