#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <string>

// Waiting on the thread that owns the program's windows without letting them hang. Meanwhile
// the windows repaint, answer messages sent to them and run their timers (a progress bar
// animates on one); keys and clicks reach the windows that are enabled (a progress window with
// its Cancel button) and are dropped for the others (an owner disabled while its progress window
// is up), so that nothing typed meanwhile starts a command there or answers a later message box;
// every other posted message stays queued for the thread's own message loop.

// A thread of its own for calls that take long, kept from call to call: a new thread for each
// call would cost each one the thread's start-up in every loaded DLL (and the installer's own).
// What passes between the two threads while a call runs passes here: texts the work hands over
// to the waiting thread, and a request to stop that the work reads.
class ServingWorker {
public:
    using HandOverHandler = std::function<void(const std::string& text)>;

    ServingWorker();
    ~ServingWorker();

    ServingWorker(const ServingWorker&) = delete;
    ServingWorker& operator=(const ServingWorker&) = delete;

    // Runs `work` on the worker thread and returns when it is done, serving this thread's
    // windows meanwhile; an exception it throws is rethrown here. Texts that `work` hands over
    // reach `onHandedOver` on this thread while it waits. Where no thread can be started, `work`
    // runs on this one, and its texts reach `onHandedOver` at once.
    void Run(const std::function<void()>& work, const HandOverHandler& onHandedOver = nullptr);
    // From inside the work: hands `text` to the waiting thread. A text it has not taken yet is
    // replaced, so that a slow window shows the latest rather than falling behind.
    void HandOver(const std::string& text);

    // From any thread: asks the work to stop, which it learns from StopRequested, and ends a
    // Pause early. Holds until ClearStopRequest.
    void RequestStop();
    bool StopRequested() const { return m_stopRequested.load(); }
    void ClearStopRequest();

    // Lets `milliseconds` pass on this thread, serving its windows, or less once a stop is
    // requested.
    void Pause(unsigned milliseconds);

    // Ends the thread, if one was started; a later Run starts another.
    void Stop();

private:
    bool Start();
    void TakeHandedOver(const HandOverHandler& onHandedOver);
    static unsigned __stdcall ThreadMain(void* worker);

    void* m_thread = nullptr;
    void* m_workReady = nullptr;
    void* m_workDone = nullptr;
    void* m_handedOver = nullptr;
    void* m_stopEvent = nullptr;
    const std::function<void()>* m_work = nullptr;
    const HandOverHandler* m_inlineHandler = nullptr;
    std::exception_ptr m_error;
    bool m_stopping = false;
    std::atomic<bool> m_stopRequested{false};
    std::mutex m_textLock;
    std::string m_text;
    bool m_hasText = false;
};
