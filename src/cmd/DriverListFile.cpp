#include "cmd/DriverListFile.h"

#include <string>

#include "catalog/DriverList.h"
#include "cmd/CommandSystem.h"
#include "cmd/DriverSelection.h"

bool LoadDriverList(DriverSelection& selection, CommandSystem& system) {
    if (selection.listFile.empty()) return true;
    const std::string prefix = "CalvornCmd: " + selection.listFile;
    std::string text;
    if (!system.ReadListFile(selection.listFile, text)) {
        system.WriteError(prefix + ": the driver list cannot be read.\n");
        return false;
    }
    DriverListProblem problem;
    if (!ReadDriverList(text, selection.list, problem)) {
        system.WriteError(prefix + " line " + std::to_string(problem.line) +
                          ": not a driver list: " + problem.what + ".\n");
        return false;
    }
    return true;
}
