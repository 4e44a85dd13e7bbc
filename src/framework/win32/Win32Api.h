#pragma once

// windows.h for the backend's own files. The framework names operations after the platform's
// (LoadIcon, MessageBox), which windows.h turns into macros for its A/W variants; the backend
// calls the A functions by their full names, so the macros only get in the way.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef LoadIcon
#undef MessageBox

// What a window needs repainted after WM_SETREDRAW turns drawing back on, which by itself
// repaints nothing; InvalidateRect alone would leave its frame and scroll bar stale.
constexpr UINT kRedrawWholeWindow = RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN;
