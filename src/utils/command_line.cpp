// The argument rules of CommandLineToArgvW, written out so every platform shares them.
#include "utils/command_line.h"

namespace Utils {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The program name takes no escapes: a leading quote runs to the next quote.
size_t TakeProgram(const std::wstring& line, std::wstring& program) {
  size_t i = 0;
  if (line[0] == L'"') {
    size_t end = line.find(L'"', 1);
    if (end == std::wstring::npos) end = line.size();
    program = line.substr(1, end - 1);
    i = end < line.size() ? end + 1 : end;
  } else {
    while (i < line.size() && !IsBlank(line[i])) program.push_back(line[i++]);
  }
  return i;
}

// Backslashes count only before a quote; quotes keep a running count so that
// """ inside a quoted part yields one literal quote.
size_t TakeArgument(const std::wstring& line, size_t i, std::wstring& arg) {
  size_t backslashes = 0;
  int quotes = 0;
  while (i < line.size()) {
    wchar_t c = line[i];
    if (IsBlank(c) && quotes == 0) break;
    if (c == L'\\') {
      arg.push_back(c);
      ++backslashes;
      ++i;
      continue;
    }
    if (c != L'"') {
      arg.push_back(c);
      backslashes = 0;
      ++i;
      continue;
    }
    if (backslashes % 2 == 0) {
      arg.resize(arg.size() - backslashes / 2);
      ++quotes;
    } else {
      arg.resize(arg.size() - backslashes / 2 - 1);
      arg.push_back(L'"');
    }
    backslashes = 0;
    ++i;
    while (i < line.size() && line[i] == L'"') {
      if (++quotes == 3) {
        arg.push_back(L'"');
        quotes = 0;
      }
      ++i;
    }
    if (quotes == 2) quotes = 0;
  }
  return i;
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
  std::vector<std::wstring> args;
  if (line.empty()) return args;
  const std::wstring& rest = line;
  std::wstring program;
  size_t i = TakeProgram(rest, program);
  args.push_back(program);
  while (true) {
    while (i < rest.size() && IsBlank(rest[i])) ++i;
    if (i >= rest.size()) break;
    std::wstring arg;
    i = TakeArgument(rest, i, arg);
    args.push_back(arg);
  }
  return args;
}

}  // namespace Utils
