// The splitter against the system's own CommandLineToArgvW, line by line.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utils/command_line.h"

namespace {

std::vector<std::wstring> SystemSplit(const std::wstring& line) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(line.c_str(), &argc);
  std::vector<std::wstring> out(argv, argv + argc);
  LocalFree(argv);
  return out;
}

TEST(SplitCommandLine, AgreesWithCommandLineToArgvW) {
  const wchar_t* lines[] = {
      L"prog",
      L"\"C:\\Program Files\\p.exe\" /S -console=show -version=1.0.0 -adminact=true",
      L"\"C:\\dir\\\\p.exe\"x y",
      L"p  a\t\tb  ",
      L"p -instdir=\"C:\\a b\" /D=C:\\a b",
      L"p a\\\\b \\\\\"c d\\\\\"",
      L"p \\\"x\\\" \\\\\\\"y",
      L"p \"\" x",
      L"p \"a\"\"b\"",
      L"p \"a\"\"\"b\"",
      L"p \"\"\"\"",
      L"p \"\"\"\"\"\" \"\"\"\"\"\"\"",
      L"p a\"b c\"d",
      L"p \"unterminated arg",
      L"p _?=C:\\Program Files\\Q",
  };
  for (const wchar_t* line : lines) {
    EXPECT_EQ(Utils::SplitCommandLine(line), SystemSplit(line)) << Utils::SplitCommandLine(line).size();
  }
}

}  // namespace
