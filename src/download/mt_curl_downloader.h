// CMTCurlDownloader: the multi-part package downloader (DownloadType 3). It probes the
// address once, fetches at most two byte ranges in parallel into part files
// ("<path>_0", "<path>_1"), joins them into the destination, checks the MD5 digest the
// final address carries, and asks for one whole retry (1005) after a failure.
//
// Threads: Start_Down runs on a Utils::Thread worker; each pending part runs on a
// thread of its own and one finishing thread joins and verifies. All of them report
// through the status callback, which must therefore be thread-safe. Start may be
// called from the owner's thread or from inside a status report. The downloader owns
// every thread it starts: destroying it aborts running transfers, waits for all of
// them and suppresses the reports that would follow.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "download/download_part_node.h"
#include "download/download_status.h"
#include "download/downloader.h"
#include "download/prefix_digest.h"
#include "utils/thread.h"

class CMTCurlDownloader : public CDownloader {
 public:
  static constexpr int32_t kPartUnit = 10485760;  // 10 MiB: below 20 MiB one part
  static constexpr int kMaxParts = 2;
  static constexpr int kRetryBudget = 12;
  static constexpr int kRetryPauseMs = 400;
  static constexpr int kPartStartGapMs = 100;
  static constexpr int kFinishPollMs = 200;
  static constexpr int kJoinBlock = 1024;
  static constexpr int kJoinFailed = -2;  // a part file could not be opened for joining
  static constexpr int kJoinIoFailed = 23;  // a read or write while joining failed

  // Deletes the destination and part files 0 and 1.
  CMTCurlDownloader(StatusCallback callback, std::wstring url, std::wstring path);
  ~CMTCurlDownloader() override;

  void Start() override;

  // The name of part file i: the narrow destination path, "_" and i.
  std::string PartPath(int index) const;

 private:
  static uint32_t Start_Down(void* self);
  void StartDown();
  bool getRealDownloadUrl(const std::string& address);
  void PlanParts();
  void downloadThreadFun(DownloadPartNode* node);
  int downloadExe(DownloadPartNode* node);
  void waitForFinishThreadFun();
  int JoinParts();
  void Finish();
  void ReleaseParts();
  void DeletePartFiles();
  void JoinThreads();
  void Report(int code, double value, const std::wstring& text);

  static size_t PartWriter(char* data, size_t size, size_t count, void* node);
  static size_t PartHeader(char* data, size_t size, size_t count, void* node);
  static int PartProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
  int Progress();

  std::vector<std::unique_ptr<DownloadPartNode>> parts;
  StatusCallback callback;
  std::wstring path;
  std::wstring url;
  std::string realUrl;
  int32_t fileLength = -1;
  std::string expectedMd5;
  double lastPercent = 0.0;           // guarded by progressMutex while parts run
  std::atomic<int> activeWorkers{0};
  std::mutex progressMutex;           // guards lastPercent and lastProgressTime during a round
  int64_t lastProgressTime = 0;
  bool retriedOnce = false;
  std::unique_ptr<Utils::Thread> worker;
  // Running digest of part file 0 and then of the joined file. Used in turn by the
  // worker (planning), part 0's thread (storing) and the finishing thread (joining);
  // the thread starts and joins between them order the accesses.
  PrefixDigest joinedDigest;

  std::mutex threadsMutex;            // guards worker, retired and workerThread
  std::unique_ptr<Utils::Thread> retired;  // a worker that asked for its own restart
  std::thread::id workerThread;            // the thread running Start_Down now
  std::vector<std::thread> partThreads;  // of the running round; joined by the finisher
  std::thread finisher;                  // the running round's finishing thread
  std::atomic<bool> destroying{false};
};
