#include "utils/stopwatch.h"

namespace Utils {

void Stopwatch::Start() {
  started_ = true;
  start_ = TickCount();
}

float Stopwatch::ElapsedSeconds() const {
  if (!started_) return 0.0f;
  return static_cast<float>(static_cast<uint32_t>(TickCount() - start_)) / 1000.0f;
}

}  // namespace Utils
