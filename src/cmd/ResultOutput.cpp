#include "cmd/ResultOutput.h"

#include <utility>

#include "cmd/CommandSystem.h"

void ResultOutput::Add(DriverResult result, const std::string& textLine) {
    if (m_format == ListFormat::Text) m_system.WriteOutput(textLine);
    m_results.push_back(std::move(result));
}

void ResultOutput::Finish(const std::string& noResultsText) {
    switch (m_format) {
        case ListFormat::Text:
            if (m_results.empty()) m_system.WriteOutput(noResultsText);
            break;
        case ListFormat::Csv:
            m_system.WriteOutput(FormatResultsCsv(m_results));
            break;
        case ListFormat::Json:
            m_system.WriteOutput(FormatResultsJson(m_results));
            break;
    }
}
