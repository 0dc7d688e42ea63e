// A child program for the system tests:
//   spew N        print N bytes of a letter pattern, exit 7
//   mutex NAME    exit 0 when the instance lock NAME could be taken, else 1
//   wait          read standard input until it ends
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "utils/instance_mutex.h"

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"spew" && argc > 2) {
    long n = std::wcstol(argv[2], nullptr, 10);
    std::string data(static_cast<size_t>(n), '\0');
    for (long i = 0; i < n; ++i) data[i] = static_cast<char>('a' + i % 26);
    std::fwrite(data.data(), 1, data.size(), stdout);
    std::fflush(stdout);
    return 7;
  }
  if (mode == L"mutex" && argc > 2) {
    Utils::InstanceMutex m(argv[2]);
    return m.Acquire() ? 0 : 1;
  }
  if (mode == L"wait") {
    char buf[64];
    DWORD got;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buf, sizeof(buf), &got, nullptr) && got > 0) {
    }
    return 0;
  }
  return 2;
}
