#include <windows.h>
#include <psapi.h>

#include "peak_memory.h"

int64_t PeakResidentKib() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
  return static_cast<int64_t>(counters.PeakWorkingSetSize / 1024);
}
