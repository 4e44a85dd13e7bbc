#pragma once

class CommandSystem;
struct DriverSelection;

// Reads the driver list that `selection` names, if any, into its rows. False when the file
// cannot be read or is not a driver list, after a line on the error stream that names the file
// and the line.
bool LoadDriverList(DriverSelection& selection, CommandSystem& system);
