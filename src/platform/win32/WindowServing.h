#pragma once

#include <functional>

// Waiting on the thread that owns the program's windows without letting them hang. Meanwhile
// the windows repaint, answer messages sent to them and run their timers (a progress bar
// animates on one); keys and clicks are dropped, so that nothing typed meanwhile starts a
// command or answers a later message box; every other posted message stays queued for the
// thread's own message loop.

// Runs `work` on a thread of its own and returns when it is done; an exception it throws is
// rethrown here. Where no thread can be started, `work` runs on this one.
void RunServingWindows(const std::function<void()>& work);

// Lets `milliseconds` pass.
void ServeWindowsFor(unsigned milliseconds);
