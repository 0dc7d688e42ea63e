// POSIX backend of the diagnostic log, for the native test build: there is no
// debugger output, so lines go to standard error only when QZ_DEBUG_LOG is set.
#include "utils/debug_log.h"

#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace Utils {

LogStamp CurrentLogStamp() {
  timeval tv;
  gettimeofday(&tv, nullptr);
  tm local;
  time_t secs = tv.tv_sec;
  localtime_r(&secs, &local);
  LogStamp s;
  s.processId = static_cast<uint32_t>(getpid());
  s.threadId = static_cast<uint32_t>(syscall(SYS_gettid));
  s.year = local.tm_year + 1900; s.month = local.tm_mon + 1; s.day = local.tm_mday;
  s.hour = local.tm_hour; s.minute = local.tm_min; s.second = local.tm_sec;
  s.millisecond = static_cast<int>(tv.tv_usec / 1000);
  return s;
}

void DebugPrint(const wchar_t* format, const char* tag, int line, ...) {
  static const bool enabled = std::getenv("QZ_DEBUG_LOG") != nullptr;
  va_list args;
  va_start(args, line);
  std::wstring text = FormatLogLine(CurrentLogStamp(), tag, line, format, args);
  va_end(args);
  if (enabled && !text.empty()) std::fprintf(stderr, "%ls", text.c_str());
}

}  // namespace Utils
