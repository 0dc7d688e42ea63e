// libFuzzer target: caller texts and enumeration values through the tracker's checks.
#include <cstdlib>

#include "fuzz/analytics_tracker/tracker_input_property.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!CheckTrackerInput(data, size)) std::abort();
  return 0;
}
