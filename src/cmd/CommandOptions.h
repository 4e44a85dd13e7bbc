#pragma once

#include <string>

#include "cmd/DriverSelection.h"

enum class CommandName { List, Remove, Prune };
enum class ListFormat { Text, Csv, Json };

// One run of the console program as its command line asks for it.
struct CommandOptions {
    CommandName command = CommandName::List;
    DriverSelection selection;
    ListFormat format = ListFormat::Text;
    bool yes = false;
    bool dryRun = false;
    // Where remove keeps the installer logs of failed removals; empty for the default folder.
    std::string logDir;
    // Whether remove takes drivers that the IVI configuration uses too.
    bool evenIfUsed = false;
};

// What the command line asks for: a command to run, the usage to print, or nothing at all
// because it is not a valid command line. `text` holds the usage or what is wrong.
struct ParsedCommandLine {
    enum class Kind { Run, Help, UsageError };
    Kind kind = Kind::UsageError;
    CommandOptions options;
    std::string text;
};

// `arguments` are the command line's words after the program's name, in UTF-8.
ParsedCommandLine ParseCommandLine(int count, const char* const* arguments);
