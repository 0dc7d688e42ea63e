// A console driver for the pipeline, used by scripts/demo until the main window
// drives it: runs one installation the way the window would (existing
// installation found in the registry and removed first, records written after
// success) and prints every status code and a summary.
//   demo_driver <package address> <install parent folder>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>

#include "app/installer_config.h"
#include "install/download_installer.h"
#include "install/install_records.h"
#include "install/status_codes.h"
#include "utils/md5.h"
#include "utils/path.h"
#include "utils/profile.h"
#include "utils/text.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

std::string U8(const std::wstring& w) { return Utils::ToNarrow(w, Utils::kCodePageUtf8); }

struct Run {
  std::mutex mutex;  // guards everything below
  std::condition_variable ended;
  bool done = false;
  int endCode = 0;
  std::wstring installedDir, uninstaller;
};

bool IsEnd(int code) {
  return code == INSTALL_SUCCESS || code == IST_CODE_FAIL || code == DL_CODE_FAIL || code == UNIST_CODE_FAIL ||
         code == UNIST_CODE_ERROR;
}

}  // namespace

int wmain() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 3) {
    std::fprintf(stderr, "usage: demo_driver <package address> <install parent folder>\n");
    return 2;
  }
  CoInitialize(nullptr);
  const std::wstring url = argv[1], parent = argv[2];
  LocalFree(argv);

  InstallRecord record;
  ReadInstallRecord(record);
  std::wstring dir = record.installDir.empty() ? ResolveInstallDir(record, parent) : record.installDir;
  DefaultInstallDir(record);  // the two administrator flags
  bool existing = !record.installDir.empty();
  bool keep = existing && KeepsExistingInstallation(record, dir);
  std::printf("existing installation: %s\n", existing ? U8(record.installDir).c_str() : "(none)");
  std::printf("install folder: %s\n", U8(dir).c_str());

  Run run;
  CDownloadInstaller* self = nullptr;
  const std::wstring digest = Utils::ToWide(Utils::UrlParentSegment(U8(url)), Utils::kCodePageUtf8);
  auto callback = [&](int code, double value, const std::wstring& text) {
    std::lock_guard<std::mutex> lock(run.mutex);
    std::printf("status %d value %g%s%s\n", code, value, text.empty() ? "" : " text ", U8(text).c_str());
    if (code == DL_CODE_SUCCESS && self) {
      std::wstring package = self->PackagePath();
      FILE* f = _wfopen(package.c_str(), L"rb");
      long size = 0;
      if (f) {
        std::fseek(f, 0, SEEK_END);
        size = std::ftell(f);
        std::fclose(f);
      }
      std::string md5 = Utils::FileMd5(Utils::ToNarrow(package, Utils::kCodePageAnsi));
      std::printf("downloaded %ld bytes, md5 %s, address digest %s: %s\n", size, md5.c_str(), U8(digest).c_str(),
                  md5 == U8(digest) ? "verified" : "MISMATCH");
    }
    if (code == IST_CODE_START) WriteInstallIni(dir, InstallerConfig::Get().ExeName);
    if (code == IST_INFO_INSTPATH) run.installedDir = text;
    if (code == IST_INFO_UNINSTEXE) run.uninstaller = text;
    if (IsEnd(code)) {
      run.done = true;
      run.endCode = code;
      run.ended.notify_all();
    }
  };
  CDownloadInstaller installer(callback, url, keep ? L"" : record.uninstallerPath, dir, true, true, record.consoleUserIsAdmin);
  installer.SetParams(url, keep ? L"" : record.uninstallerPath, dir, true, true, record.consoleUserIsAdmin,
                      record.processIsAdmin);
  self = &installer;
  installer.Start();
  std::unique_lock<std::mutex> lock(run.mutex);
  if (!run.ended.wait_for(lock, std::chrono::minutes(5), [&] { return run.done; })) {
    std::printf("result: no end code within 5 minutes\n");
    return 1;
  }
  lock.unlock();
  for (int i = 0; i < 200 && installer.Busy(); ++i) Sleep(10);
  if (run.endCode != INSTALL_SUCCESS) {
    std::printf("result: failed with %d\n", run.endCode);
    return 1;
  }
  std::wstring installed = run.installedDir.empty() ? dir : run.installedDir;
  WriteInstallIni(installed, InstallerConfig::Get().ExeName);
  WriteRegistryRecord(installed, run.uninstaller);
  std::printf("result: installed into %s\n", U8(installed).c_str());
  return 0;
}
