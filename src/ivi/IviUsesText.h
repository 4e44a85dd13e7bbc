#pragma once

#include <string>

#include "ivi/IviConfiguration.h"

// What uses a driver, as the question before a removal says it:
// "logical names: A, B; driver sessions: S1, S2", leaving out a part without names.
std::string InUseText(const IviUses& uses);
// What the store still holds of a removed driver:
// "software module: M; driver sessions: S1; logical names: A" ("software modules: M1, M2" for
// several), leaving out a part without names.
std::string StillRefersText(const IviUses& uses);
