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

struct WorkerCall {
    const std::function<void()>* work;
    std::exception_ptr error;
};

unsigned __stdcall RunWorker(void* argument) {
    auto& call = *static_cast<WorkerCall*>(argument);
    try {
        (*call.work)();
    } catch (...) {
        call.error = std::current_exception();
    }
    return 0;
}

}  // namespace

void RunServingWindows(const std::function<void()>& work) {
    WorkerCall call = {&work, nullptr};
    const auto thread =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &RunWorker, &call, 0, nullptr));
    if (thread == nullptr) {
        work();
        return;
    }
    ServeUntil(thread, INFINITE);
    CloseHandle(thread);
    if (call.error) std::rethrow_exception(call.error);
}

void ServeWindowsFor(unsigned milliseconds) { ServeUntil(nullptr, milliseconds); }
