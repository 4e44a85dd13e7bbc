#pragma once

#include <string>

// Splits a driver value's data "Name;Class;ADE;Manufacturer" into its fields. Runs of ';' separate
// fields and ';' at either end is ignored, so no field is empty; fields past the fourth are
// dropped. Writes NUL over the separators that end the fields taken. Returns the number of
// fields found (0 to 4); outputs whose field was not found keep what they held.
int ParseValueData(char* data, std::string& name, std::string& cls, std::string& ade,
                   std::string& manufacturer);
