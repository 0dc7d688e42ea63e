#include "analytics/sdk/track_id.h"

#include <chrono>
#include <cstdlib>
#include <string>

namespace zv_analytics {
namespace {

std::string LastChars(const std::string& text, size_t count) {
  return text.size() <= count ? text : text.substr(text.size() - count);
}

// Non-negative remainder, so a negative input still yields digits only.
int64_t Modulo(int64_t value, int64_t divisor) {
  const int64_t r = value % divisor;
  return r < 0 ? r + divisor : r;
}

}  // namespace

int64_t TrackIdFrom(int r1, int r2, int64_t unixMilliseconds) {
  const std::string joined = LastChars(std::to_string(Modulo(r1, 99) + 100), 2) +
                             LastChars(std::to_string(Modulo(r2, 999) + 1000), 3) +
                             LastChars(std::to_string(Modulo(unixMilliseconds, 10000) + 10000), 4);
  return std::stoll(joined);
}

int64_t NewTrackId() {
  const int r1 = std::rand();
  const int r2 = std::rand();
  return TrackIdFrom(r1, r2, UnixMilliseconds());
}

int64_t UnixMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace zv_analytics
