#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalog/DriverRecord.h"

// What became of one driver in a run of remove or prune, as deployment tools read it in the
// result's `outcome`.
namespace Outcome {
constexpr char kRemoved[] = "removed";
constexpr char kRemovedRestartRequired[] = "removedRestartRequired";
constexpr char kFailed[] = "failed";
constexpr char kCancelled[] = "cancelled";
constexpr char kNotTried[] = "notTried";
constexpr char kWouldBeRemoved[] = "wouldBeRemoved";
// Left alone because the IVI configuration uses it, without --even-if-used.
constexpr char kNotRemovedInUse[] = "notRemovedInUse";
constexpr char kWouldNotBeRemovedInUse[] = "wouldNotBeRemovedInUse";
constexpr char kDeleted[] = "deleted";
constexpr char kNotDeleted[] = "notDeleted";
constexpr char kWouldBeDeleted[] = "wouldBeDeleted";
}  // namespace Outcome

// One line of remove's or prune's output: the driver's texts in UTF-8, its outcome, the
// installer's answer when the installer was asked to remove it, and the kept log's path (empty
// when none).
struct DriverResult {
    DriverRecord driver;
    const char* outcome;
    std::optional<unsigned> installerResult;
    std::string log;
};

// The results as RFC 4180 CSV with a header row, and as one JSON array of objects, in the order
// given. Texts that are not UTF-8 still give well-formed CSV and JSON.
std::string FormatResultsCsv(const std::vector<DriverResult>& results);
std::string FormatResultsJson(const std::vector<DriverResult>& results);
