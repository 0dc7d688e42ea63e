// The process's unhandled-exception filter: it records the crash in the funnel,
// sends the crash event (which flushes what is queued) and lets the system's
// default handling end the process. Runs on the faulting thread.
#pragma once
#include <windows.h>

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* exception);
