// Splitting a Windows command line into arguments with the system's rules, so the
// POSIX child-process backend hands a child the same argv that CommandLineToArgvW
// would give it on Windows, and the fake children can read their switches alike.
#pragma once
#include <string>
#include <vector>

namespace Utils {

// The first argument is the program: up to the next double quote when it starts
// with one, else up to the first blank or tab (no escapes). For the others, blanks
// and tabs separate; double quotes group and are removed; 2n backslashes before a
// quote give n backslashes, 2n+1 give n and a literal quote; other backslashes are
// literal; inside quotes, each third quote of a run of quotes is a literal quote.
// A line that starts with a blank has an empty program. An empty line gives no arguments.
std::vector<std::wstring> SplitCommandLine(const std::wstring& line);

}  // namespace Utils
