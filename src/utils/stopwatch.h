// A millisecond stopwatch over the tick counter; one wrap of the counter is harmless.
#pragma once
#include <cstdint>

namespace Utils {

// Milliseconds since an arbitrary start, wrapping at 2^32 (GetTickCount).
uint32_t TickCount();

class Stopwatch {
 public:
  void Start();
  // 0 when not started.
  float ElapsedSeconds() const;

 private:
  uint32_t start_ = 0;
  bool started_ = false;
};

}  // namespace Utils
