// CDownloadInstaller: the installation behind the main window. It names the package
// file, picks the downloader, runs the previous installation's uninstaller from a
// copy, downloads the package, runs it, and passes every status code on to the
// window's callback. The success code of one stage starts the next, inside the
// handler on the producer's thread.
//
// Threads: the constructor, SetParams and Start run on the window thread; the
// handlers run on the downloaders' and runners' worker threads. The window's
// callback must be thread-safe.
#pragma once
#include <atomic>
#include <memory>
#include <string>

#include "download/downloader.h"
#include "install/package_runner.h"
#include "install/status_callback.h"
#include "install/uninstall_runner.h"

class CDownloadInstaller {
 public:
  CDownloadInstaller(StatusCallback callback, std::wstring url, std::wstring uninstallerPath,
                     std::wstring installDir, bool desktopShortcut, bool quickLaunch, bool adminAct);
  // Destroys the downloader, the package runner and the uninstall runner, in that
  // order; each waits for its worker thread.
  ~CDownloadInstaller();
  CDownloadInstaller(const CDownloadInstaller&) = delete;
  CDownloadInstaller& operator=(const CDownloadInstaller&) = delete;

  void SetParams(std::wstring url, std::wstring uninstallerPath, std::wstring installDir, bool desktopShortcut,
                 bool quickLaunch, bool adminAct, bool authorizationAct);
  // Begins (or begins again) the pipeline and returns at once. Refused, with a log
  // line, while an earlier run has not ended (2003, 2004, 1004, 5004 or 5005).
  void Start();

  bool Busy() const { return busy_.load(); }
  const std::wstring& PackagePath() const { return packagePath_; }
  // The downloader made at the first Start (kept for later ones), or null.
  const CDownloader* Downloader() const { return downloader_.get(); }

  // The downloader DownloadType selects: 2 system, 3 multi-part, else single-stream.
  static std::unique_ptr<CDownloader> MakeDownloader(int downloadType, StatusCallback callback,
                                                     const std::wstring& url, const std::wstring& path);

 private:
  void OnDownload(int code, double value, const std::wstring& text);
  void OnUninstall(int code, double value, const std::wstring& text);
  void OnInstall(int code, double value, const std::wstring& text);
  void Forward(int code, double value, const std::wstring& text);
  void EndRunOn(int code);
  bool StartUninstaller();

  std::unique_ptr<UninstallRunner> uninstallRunner_;
  std::unique_ptr<CDownloader> downloader_;
  std::unique_ptr<PackageRunner> packageRunner_;
  std::wstring url_;
  std::wstring uninstallerPath_;
  std::wstring installDir_;
  std::wstring packagePath_;  // written by Start only while no run is busy
  bool desktopShortcut_;
  bool quickLaunch_;
  bool adminAct_;
  bool authorizationAct_ = true;
  StatusCallback callback_;
  std::atomic<bool> busy_{false};  // a run has started and not reached its end code
};
