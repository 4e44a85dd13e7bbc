#pragma once

class WindowsInstaller;

// While it lives, Ctrl+C, Ctrl+Break and closing the console window stop the removals of this
// run instead of ending the program at once: the removal under way is cancelled, so that the
// installer rolls it back, and no further driver is tried; the run then ends by itself.
class ConsoleCancel {
public:
    explicit ConsoleCancel(WindowsInstaller& installer);
    ~ConsoleCancel();

    ConsoleCancel(const ConsoleCancel&) = delete;
    ConsoleCancel& operator=(const ConsoleCancel&) = delete;
};
