// Where the record's two layers come from in the product: the module path and
// the process command line.
#include <windows.h>
#include <shellapi.h>

#include "app/installer_config.h"

void InstallerConfig::LoadFromFile() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  LoadFromFile(path);
}

void InstallerConfig::ApplyCommandLine() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return;
  std::vector<std::wstring> args(argv, argv + argc);
  LocalFree(argv);
  ApplyArguments(args);
}
