// The diagnostic log: one formatted line per call, written to the debugger output
// (OutputDebugStringW). No file, no level, no switch.
//
// Formats are wide printf formats. Wide string arguments are written with "%ls"
// (portable between the Windows and POSIX runtimes); a literal percent is "%%".
// The facility adds no line end: messages that want one end in "\r\n".
#pragma once
#include <cstdarg>
#include <cstdint>
#include <string>

namespace Utils {

// Everything the prefix "<P..><T..><date time>(tag)<line>: " is made of.
struct LogStamp {
  uint32_t processId = 0;
  uint32_t threadId = 0;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The qualified function name ("CurlClient::Head") taken from the compiler's
// pretty function text ("bool CurlClient::Head(const std::string&)").
std::string FunctionTag(const char* prettyFunction);

// Builds the whole line: prefix, then the message formatted with its arguments.
// Returns empty when formatting fails.
std::wstring FormatLogLine(const LogStamp& stamp, const char* tag, int line,
                           const wchar_t* format, va_list args);

// Reads the clock and ids of the calling thread (platform backend).
LogStamp CurrentLogStamp();

// Formats one line and hands it to the debugger output. Thread-safe; never fails visibly.
void DebugPrint(const wchar_t* format, const char* tag, int line, ...);

}  // namespace Utils

#define DEBUG_PRINT(format, ...) \
  ::Utils::DebugPrint(format, ::Utils::FunctionTag(__PRETTY_FUNCTION__).c_str(), __LINE__, ##__VA_ARGS__)
