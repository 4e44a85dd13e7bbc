#include "platform/win32/WindowServing.h"

#include <windows.h>

#include <process.h>

#include <exception>

namespace {

// What wakes the wait. Posted messages do not: they stay queued, and waking for them would spin.
constexpr UINT kServedQueue = QS_SENDMESSAGE | QS_PAINT | QS_TIMER | QS_INPUT;

// Keys and clicks for an enabled window of an enabled top-level window; a dialog's own keys
// (Esc for Cancel, Tab, Space on a button) work as in its own message loop.
void ServeInput(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root == nullptr || !IsWindowEnabled(root) || !IsWindowEnabled(message.hwnd)) return;
    if (IsDialogMessageA(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

// PeekMessage hands out WM_QUIT whatever range or kinds it is asked for. One taken while the
// queue is served is posted again, with its exit code, for the thread's own message loop.
class QuitKeeper {
public:
    QuitKeeper() = default;
    ~QuitKeeper() {
        if (m_taken) PostQuitMessage(m_exitCode);
    }
    QuitKeeper(const QuitKeeper&) = delete;
    QuitKeeper& operator=(const QuitKeeper&) = delete;

    // The next message of the range and kinds other than WM_QUIT.
    bool Take(MSG& message, UINT first, UINT last, UINT kinds) {
        while (PeekMessageA(&message, nullptr, first, last, PM_REMOVE | kinds)) {
            if (message.message != WM_QUIT) return true;
            m_taken = true;
            m_exitCode = static_cast<int>(message.wParam);
        }
        return false;
    }

private:
    bool m_taken = false;
    int m_exitCode = 0;
};

// Sent messages are delivered inside PeekMessage whatever its filter.
void ServeQueue() {
    QuitKeeper quit;
    MSG message;
    while (quit.Take(message, 0, 0, PM_QS_INPUT)) ServeInput(message);
    while (quit.Take(message, WM_PAINT, WM_PAINT, 0)) DispatchMessageA(&message);
    while (quit.Take(message, WM_TIMER, WM_TIMER, 0)) DispatchMessageA(&message);
}

// Serves the queue until `done` is signalled or `milliseconds` have passed, calling
// `onSignalled` whenever `signalled` is.
void ServeUntil(HANDLE done, HANDLE signalled, DWORD milliseconds,
                const std::function<void()>& onSignalled) {
    HANDLE handles[2] = {};
    DWORD handleCount = 0;
    if (done != nullptr) handles[handleCount++] = done;
    const DWORD signalledIndex = handleCount;
    if (signalled != nullptr) handles[handleCount++] = signalled;
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        DWORD remaining = INFINITE;
        if (milliseconds != INFINITE) {
            const ULONGLONG passed = GetTickCount64() - start;
            if (passed >= milliseconds) return;
            remaining = static_cast<DWORD>(milliseconds - passed);
        }
        // Input that arrived while the queue was last looked at (between these waits, or just
        // before the first) counts as seen, and would not wake a plain wait until more came.
        const DWORD woken = MsgWaitForMultipleObjectsEx(handleCount, handles, remaining,
                                                        kServedQueue, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0 + handleCount) {
            ServeQueue();
        } else if (signalled != nullptr && woken == WAIT_OBJECT_0 + signalledIndex) {
            onSignalled();
        } else if (woken == WAIT_FAILED && done != nullptr) {
            WaitForSingleObject(done, milliseconds);
            return;
        } else {
            return;
        }
    }
}

}  // namespace

// Made before any other thread can ask for a stop.
ServingWorker::ServingWorker()
    : m_workReady(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_workDone(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_handedOver(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_stopEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

ServingWorker::~ServingWorker() {
    Stop();
    for (void* event : {m_workReady, m_workDone, m_handedOver, m_stopEvent}) {
        if (event != nullptr) CloseHandle(event);
    }
}

void ServingWorker::Stop() {
    if (m_thread == nullptr) return;
    m_stopping = true;
    SetEvent(m_workReady);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
    m_stopping = false;
}

bool ServingWorker::Start() {
    if (m_thread != nullptr) return true;
    if (m_workReady == nullptr || m_workDone == nullptr || m_handedOver == nullptr) return false;
    m_thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadMain, this, 0, nullptr));
    return m_thread != nullptr;
}

unsigned __stdcall ServingWorker::ThreadMain(void* argument) {
    auto& worker = *static_cast<ServingWorker*>(argument);
    for (;;) {
        WaitForSingleObject(worker.m_workReady, INFINITE);
        if (worker.m_stopping) return 0;
        try {
            (*worker.m_work)();
        } catch (...) {
            worker.m_error = std::current_exception();
        }
        SetEvent(worker.m_workDone);
    }
}

void ServingWorker::Run(const std::function<void()>& work, const HandOverHandler& onHandedOver) {
    if (!Start()) {
        m_inlineHandler = &onHandedOver;
        try {
            work();
        } catch (...) {
            m_inlineHandler = nullptr;
            throw;
        }
        m_inlineHandler = nullptr;
        return;
    }
    m_work = &work;
    m_error = nullptr;
    SetEvent(m_workReady);
    ServeUntil(m_workDone, m_handedOver, INFINITE, [&] { TakeHandedOver(onHandedOver); });
    m_work = nullptr;
    // A text handed over just before the end is still the latest.
    TakeHandedOver(onHandedOver);
    std::exception_ptr error = m_error;
    m_error = nullptr;
    if (error) std::rethrow_exception(error);
}

void ServingWorker::HandOver(const std::string& text) {
    if (m_inlineHandler != nullptr) {
        if (*m_inlineHandler) (*m_inlineHandler)(text);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_textLock);
        m_text = text;
        m_hasText = true;
    }
    SetEvent(m_handedOver);
}

void ServingWorker::TakeHandedOver(const HandOverHandler& onHandedOver) {
    std::string text;
    {
        std::lock_guard<std::mutex> lock(m_textLock);
        if (!m_hasText) return;
        text.swap(m_text);
        m_hasText = false;
    }
    if (onHandedOver) onHandedOver(text);
}

void ServingWorker::RequestStop() {
    m_stopRequested = true;
    if (m_stopEvent != nullptr) SetEvent(m_stopEvent);
}

void ServingWorker::ClearStopRequest() {
    m_stopRequested = false;
    if (m_stopEvent != nullptr) ResetEvent(m_stopEvent);
}

void ServingWorker::Pause(unsigned milliseconds) {
    if (StopRequested()) return;
    ServeUntil(m_stopEvent, nullptr, milliseconds, nullptr);
}
