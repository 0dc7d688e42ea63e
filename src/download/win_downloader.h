// CWinDownloader: the system package downloader (DownloadType 2). The transfer is
// handed to the operating system's URL moniker service (URLDownloadToFileW) on a
// worker thread, with up to three attempts; progress comes back through the bind
// callback. No digest check and no retry request: 1001, 1002…, then 1003 or 1004.
//
// Win32 only. This header stays free of <windows.h>; the bind callback's COM
// declaration lives in bind_callback_win.h.
#pragma once
#include <memory>
#include <string>

#include "download/download_status.h"
#include "download/downloader.h"
#include "utils/thread.h"

class CWinDownloader : public CDownloader {
 public:
  class CBindCallback;
  static constexpr int kAttempts = 3;
  static constexpr int kRetryPauseMs = 1000;

  // Creates the worker suspended.
  CWinDownloader(StatusCallback callback, std::wstring url, std::wstring path);
  // Aborts a running transfer at its next progress call and waits for the worker.
  ~CWinDownloader() override;

  // Hands the status callback to the bind callback and resumes the worker. The worker
  // runs once: a second Start has no effect.
  void Start() override;

  // The address as handed to the system: unchanged for "file:///", else UrlEscape'd.
  static std::wstring SystemAddress(const std::wstring& url);

 private:
  static uint32_t DownloadBody(void* self);
  void Run();

  std::unique_ptr<CBindCallback> bindCallback;  // lives exactly as long as this object
  StatusCallback callback;
  std::wstring path;
  std::wstring url;
  Utils::Thread worker;
};
