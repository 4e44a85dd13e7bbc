#include "platform/win32/WindowServing.h"

#include <windows.h>

#include <process.h>

#include <exception>

namespace {

// What wakes the wait. Posted messages do not: they stay queued, and waking for them would spin.
constexpr UINT kServedQueue = QS_SENDMESSAGE | QS_PAINT | QS_TIMER | QS_INPUT;

// Sent messages are delivered inside PeekMessage whatever its filter.
void ServeQueue() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
    }
    while (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
    while (PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

// Serves the queue until `handle` is signalled or `milliseconds` have passed.
void ServeUntil(HANDLE handle, DWORD milliseconds) {
    const DWORD handleCount = handle != nullptr ? 1 : 0;
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        DWORD remaining = INFINITE;
        if (milliseconds != INFINITE) {
            const ULONGLONG passed = GetTickCount64() - start;
            if (passed >= milliseconds) return;
            remaining = static_cast<DWORD>(milliseconds - passed);
        }
        const DWORD woken =
            MsgWaitForMultipleObjects(handleCount, &handle, FALSE, remaining, kServedQueue);
        if (woken == WAIT_OBJECT_0 + handleCount) {
            ServeQueue();
        } else if (woken == WAIT_FAILED && handle != nullptr) {
            WaitForSingleObject(handle, INFINITE);
            return;
        } else {
            return;
        }
    }
}

}  // namespace

ServingWorker::~ServingWorker() {
    Stop();
    if (m_workReady != nullptr) CloseHandle(m_workReady);
    if (m_workDone != nullptr) CloseHandle(m_workDone);
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
    if (m_workReady == nullptr) m_workReady = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_workDone == nullptr) m_workDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_workReady == nullptr || m_workDone == nullptr) return false;
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

void ServingWorker::Run(const std::function<void()>& work) {
    if (!Start()) {
        work();
        return;
    }
    m_work = &work;
    m_error = nullptr;
    SetEvent(m_workReady);
    ServeUntil(m_workDone, INFINITE);
    m_work = nullptr;
    std::exception_ptr error = m_error;
    m_error = nullptr;
    if (error) std::rethrow_exception(error);
}

void ServeWindowsFor(unsigned milliseconds) { ServeUntil(nullptr, milliseconds); }
