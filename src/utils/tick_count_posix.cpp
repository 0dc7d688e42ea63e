#include <chrono>

#include "utils/stopwatch.h"

namespace Utils {

uint32_t TickCount() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace Utils
