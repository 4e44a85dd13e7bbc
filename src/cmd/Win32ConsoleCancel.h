#pragma once

class WindowsInstaller;

// While it lives, Ctrl+C, Ctrl+Break and closing the console window stop the run instead of
// ending the program at once: the removal under way is cancelled, so that the installer rolls it
// back, and nothing further is printed or changed; the run then ends by itself with 1602. A
// closing console ends the process with 1602 as soon as the run has ended, and at the latest
// well before Windows would end it.
class ConsoleCancel {
public:
    // Set before anything slow is loaded, so that no stop goes to the system's default handler.
    ConsoleCancel();
    // From now on a stop cancels the installer's removal under way; one that came earlier is
    // passed on at once.
    void Watch(WindowsInstaller& installer);
    ~ConsoleCancel();

    ConsoleCancel(const ConsoleCancel&) = delete;
    ConsoleCancel& operator=(const ConsoleCancel&) = delete;

    // The run ended with `exitCode`; returns the code the process ends with: 1602 once the
    // console is being closed.
    int End(int exitCode);
};
