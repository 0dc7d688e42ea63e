#include "analytics/tracker/time_text.h"

#include <cstdio>
#include <ctime>

namespace zorvik {
namespace analytics {

zv_analytics::DateTime DateTimeFromCount(int64_t count) {
  zv_analytics::DateTime t;
  if (count >= kMillisecondCountFrom) {
    t.seconds = count / 1000;
    t.milliseconds = static_cast<int>(count % 1000);
  } else {
    t.seconds = count;
  }
  return t;
}

std::string LocalTimeText(int64_t count) {
  const zv_analytics::DateTime t = DateTimeFromCount(count);
  const std::time_t seconds = static_cast<std::time_t>(t.seconds);
  if (static_cast<int64_t>(seconds) != t.seconds) return std::string();
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &seconds) != 0) return std::string();
#else
  if (!localtime_r(&seconds, &local)) return std::string();
#endif
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, t.milliseconds);
  return buffer;
}

}  // namespace analytics
}  // namespace zorvik
