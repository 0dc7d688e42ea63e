// Prints the process-wide settings record after the command line is applied, one
// "Field=value" line each (UTF-8), so tests see what a started installer sees.
#include <cstdio>

#include "app/installer_config.h"
#include "utils/text.h"

static void Print(const char* name, const std::wstring& value) {
  std::printf("%s=%s\n", name, Utils::ToNarrow(value, Utils::kCodePageUtf8).c_str());
}

int main() {
  InstallerConfig& c = InstallerConfig::Get();
  Print("FileDownloadUrl", c.DownloadUrl);  // before the command line
  c.ApplyCommandLine();
  Print("ExeName", c.ExeName);
  Print("DownloadUrl", c.DownloadUrl);
  Print("InstCmd", c.InstCmd);
  Print("DlAppVersion", c.DlAppVersion);
  std::printf("DownloadType=%d\nIsCheckNet=%d\nDownloadScale=%g\n", c.DownloadType, c.IsCheckNet, c.DownloadScale);
  return 0;
}
