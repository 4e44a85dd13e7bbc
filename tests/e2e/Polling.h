#pragma once

#include <functional>

// Waits for a state of another process's windows by looking again and again, with a short pause
// between looks, until `ready` holds or the bound is reached. The bound only keeps a broken run
// from hanging; no step relies on time passing.
bool WaitUntil(const std::function<bool()>& ready, unsigned boundMilliseconds = 60000);
