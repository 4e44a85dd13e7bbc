#pragma once

#include <string>
#include <vector>

// What Calvorn takes from the IVI configuration store: the software modules, the driver sessions
// and the logical names, each in the store's order. Texts are UTF-8 as the file gives them. The
// store's own ids are renumbered at every save, so references are kept as positions instead.
struct IviSoftwareModule {
    std::string name;
    std::string modulePath;    // the 32-bit module: a bare file name or a full path
    std::string modulePath64;  // the 64-bit module, likewise
    std::string progId;        // for a module served through COM only
};

struct IviDriverSession {
    std::string name;
    int module = -1;         // position of the referenced module; -1 when it names none
    std::string moduleName;  // kept by the session when its module is deleted
};

struct IviLogicalName {
    std::string name;
    int session = -1;  // position of the driver session it points at; -1 for any other session
};

struct IviStore {
    std::vector<IviSoftwareModule> modules;
    std::vector<IviDriverSession> sessions;
    std::vector<IviLogicalName> logicalNames;
};

// The outcome of reading a store file: the store, or why it could not be read.
struct IviStoreReading {
    bool read = false;
    std::string failure;
    IviStore store;
};

// Reads a store file's bytes: UTF-8 with or without a byte-order mark, or UTF-16 with its mark.
// The file is hostile input: any bytes give a store or a failure, never more than a bounded
// amount of memory and stack.
IviStoreReading ReadIviStore(const std::string& bytes);
