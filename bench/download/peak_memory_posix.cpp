#include <cstdio>
#include <cstring>

#include "peak_memory.h"

// VmHWM belongs to this program's own address space; getrusage's maximum would also
// count the parent that forked us (Linux keeps it across exec).
int64_t PeakResidentKib() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return 0;
  char line[256];
  long long kib = 0;
  while (std::fgets(line, sizeof(line), f)) {
    if (std::strncmp(line, "VmHWM:", 6) == 0 && std::sscanf(line + 6, "%lld", &kib) == 1) break;
  }
  std::fclose(f);
  return kib;
}
