// Windows backend of the diagnostic log: local time, ids, OutputDebugStringW.
#include "utils/debug_log.h"

#include <windows.h>

namespace Utils {

LogStamp CurrentLogStamp() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  LogStamp s;
  s.processId = GetCurrentProcessId();
  s.threadId = GetCurrentThreadId();
  s.year = t.wYear; s.month = t.wMonth; s.day = t.wDay;
  s.hour = t.wHour; s.minute = t.wMinute; s.second = t.wSecond; s.millisecond = t.wMilliseconds;
  return s;
}

void DebugPrint(const wchar_t* format, const char* tag, int line, ...) {
  va_list args;
  va_start(args, line);
  std::wstring text = FormatLogLine(CurrentLogStamp(), tag, line, format, args);
  va_end(args);
  if (!text.empty()) OutputDebugStringW(text.c_str());
}

}  // namespace Utils
