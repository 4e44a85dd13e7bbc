#pragma once

#include <windows.h>

// The single-instance marker: a named mutex that exists while an instance runs. It is never
// waited on or owned; only whether it already existed at start-up matters.
extern const char kInstanceMutexName[];

// The handle CreateMutexA returned at start-up; null when creation failed or once released.
extern HANDLE g_instanceMutex;
// The last-error value read straight after the creation call: ERROR_ALREADY_EXISTS (183)
// exactly when another instance holds the mutex.
extern DWORD g_instanceMutexError;

// Creates (or opens) the mutex and saves the error at once. Runs before the entry point.
void SetUpInstanceGuard();
// Closes the handle if there is one. Runs at process exit, after the application object is gone.
void ReleaseInstanceGuard();
