#include <windows.h>

#include "utils/stopwatch.h"

namespace Utils {

uint32_t TickCount() { return GetTickCount(); }

}  // namespace Utils
