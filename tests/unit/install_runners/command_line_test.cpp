// The Windows argument rules the POSIX child backend and the fakes split with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utils/command_line.h"

namespace {

struct SplitCase {
  std::wstring line;
  std::vector<std::wstring> args;
};

const std::vector<SplitCase>& SplitCases() {
  static const std::vector<SplitCase> cases = {
      {L"", {}},
      {L"prog", {L"prog"}},
      {L"\"C:\\Program Files\\p.exe\" /S", {L"C:\\Program Files\\p.exe", L"/S"}},
      {L"\"C:\\dir\\\\p.exe\"x y", {L"C:\\dir\\\\p.exe", L"x", L"y"}},  // no escapes in the program
      {L"p  a\t\tb  ", {L"p", L"a", L"b"}},
      {L" p a", {L"", L"p", L"a"}},
      {L"p -instdir=\"C:\\a b\" /D=C:\\a b", {L"p", L"-instdir=C:\\a b", L"/D=C:\\a", L"b"}},
      {L"p a\\\\b \\\\\"c d\\\\\"", {L"p", L"a\\\\b", L"\\c d\\"}},
      {L"p \\\"x\\\" \\\\\\\"y", {L"p", L"\"x\"", L"\\\"y"}},
      {L"p \"\" x", {L"p", L"", L"x"}},
      {L"p \"a\"\"b\"", {L"p", L"a\"b"}},
      {L"p a\"b c\"d", {L"p", L"ab cd"}},
      {L"p \"a\"\"\"b\"", {L"p", L"a\"b"}},
      {L"p \"\"\"\"", {L"p", L"\""}},
      {L"p \"unterminated arg", {L"p", L"unterminated arg"}},
      {L"p _?=C:\\Program Files\\Q", {L"p", L"_?=C:\\Program", L"Files\\Q"}},
      {L"p \u5B89\u88C5 x", {L"p", L"\u5B89\u88C5", L"x"}},
  };
  return cases;
}

TEST(SplitCommandLine, WindowsRules) {
  for (const SplitCase& c : SplitCases()) {
    EXPECT_EQ(Utils::SplitCommandLine(c.line), c.args) << std::string(c.line.begin(), c.line.end());
  }
}

}  // namespace
