// CCurlDownloader: the single-stream package downloader (DownloadType 1 and every value
// other than 2 and 3). A worker thread drives CurlClient with a retry budget, checks
// the result against the digest the final address carries, and reports through the
// status callback: 1001, 1002…, possibly 1006, then 1003, 1004 or 1005.
//
// Owner: the orchestrator. Start may be called from the owner's thread or from inside
// its own 1005 report on the worker thread. Destruction waits for the worker.
#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "download/curl_client.h"
#include "download/download_status.h"
#include "download/downloader.h"
#include "utils/thread.h"

class CCurlDownloader : public CDownloader {
 public:
  static constexpr int kRetryBudget = 12;
  static constexpr int kRetryPauseMs = 500;

  // Deletes a partial file left by an earlier run, so a new downloader starts at byte 0.
  CCurlDownloader(StatusCallback callback, std::wstring url, std::wstring path);
  ~CCurlDownloader() override;

  // Waits for a previous worker (unless called on that very worker, whose successor
  // then waits for it instead) and starts a new one. Returns at once.
  void Start() override;

 private:
  static uint32_t dlThreadFun(void* self);
  static void ProgressRelay(void* owner, double speed, double unused, double percent);
  void Run();
  void CheckDigestAndFinish();
  void Report(int code, double value, const std::wstring& text);

  StatusCallback callback;
  std::wstring path;
  std::wstring url;
  CurlClient client;
  std::unique_ptr<Utils::Thread> worker;
  bool retriedOnce = false;  // touched only by the running worker

  std::mutex workerMutex;                 // guards worker, retired and workerThread
  std::unique_ptr<Utils::Thread> retired;  // a worker that asked for its own restart
  std::thread::id workerThread;            // the thread running dlThreadFun now
};
