#pragma once

#include <exception>
#include <functional>

// Waiting on the thread that owns the program's windows without letting them hang. Meanwhile
// the windows repaint, answer messages sent to them and run their timers (a progress bar
// animates on one); keys and clicks are dropped, so that nothing typed meanwhile starts a
// command or answers a later message box; every other posted message stays queued for the
// thread's own message loop.

// A thread of its own for calls that take long, kept from call to call: a new thread for each
// call would cost each one the thread's start-up in every loaded DLL (and the installer's own).
class ServingWorker {
public:
    ServingWorker() = default;
    ~ServingWorker();

    ServingWorker(const ServingWorker&) = delete;
    ServingWorker& operator=(const ServingWorker&) = delete;

    // Runs `work` on the worker thread and returns when it is done, serving this thread's
    // windows meanwhile; an exception it throws is rethrown here. Where no thread can be
    // started, `work` runs on this one.
    void Run(const std::function<void()>& work);
    // Ends the thread, if one was started; a later Run starts another.
    void Stop();

private:
    bool Start();
    static unsigned __stdcall ThreadMain(void* worker);

    void* m_thread = nullptr;
    void* m_workReady = nullptr;
    void* m_workDone = nullptr;
    const std::function<void()>* m_work = nullptr;
    std::exception_ptr m_error;
    bool m_stopping = false;
};

// Lets `milliseconds` pass.
void ServeWindowsFor(unsigned milliseconds);
