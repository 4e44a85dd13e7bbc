#pragma once

#include <string>
#include <vector>

#include "cmd/CommandOptions.h"
#include "cmd/DriverResult.h"

class CommandSystem;

// Writes the results of remove or prune in the format asked for. Text goes out a line as each
// driver is done, for a person watching the run; CSV and JSON go out whole when the run ends,
// stopped or not, so that a deployment tool always reads a complete document.
class ResultOutput {
public:
    ResultOutput(ListFormat format, CommandSystem& system) : m_format(format), m_system(system) {}

    void Add(DriverResult result, const std::string& textLine);
    // Ends the output; in text, `noResultsText` stands alone when there were no results.
    void Finish(const std::string& noResultsText);

private:
    ListFormat m_format;
    CommandSystem& m_system;
    std::vector<DriverResult> m_results;
};
