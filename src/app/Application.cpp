#include "app/Application.h"

#include <exception>

const CommandTable Application::kCommandTable = {nullptr, nullptr, 0};

int Application::Run(NativeHandle instanceHandle) {
    m_instanceHandle = instanceHandle;
    // Nothing below could handle it (out of memory, say): end with a word to the user rather
    // than through std::terminate.
    try {
        InitInstance();
    } catch (const std::exception& error) {
        ReportUnexpectedError(error.what());
        return kExitUnexpectedError;
    } catch (...) {
        ReportUnexpectedError("unknown exception");
        return kExitUnexpectedError;
    }
    return ExitInstance();
}

bool Application::OnCommand(unsigned commandId) {
    for (const CommandTable* table = &GetCommandTable(); table != nullptr; table = table->base) {
        for (std::size_t i = 0; i < table->count; ++i) {
            if (table->entries[i].commandId == commandId) {
                table->entries[i].handler(*this);
                return true;
            }
        }
    }
    return false;
}

bool Application::InitInstance() { return false; }

int Application::ExitInstance() { return 0; }

const CommandTable& Application::GetCommandTable() const { return kCommandTable; }

void Application::ReportUnexpectedError(const char*) {}

void Application::OnHelp() {}
