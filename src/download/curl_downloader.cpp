#include "download/curl_downloader.h"

#include <chrono>

#include "download/stdio_file.h"
#include "utils/debug_log.h"
#include "utils/md5.h"
#include "utils/text.h"

namespace {
const wchar_t kSourceText[] = L"LibCurl";
}

CCurlDownloader::CCurlDownloader(StatusCallback callback_, std::wstring url_, std::wstring path_)
    : callback(std::move(callback_)),
      path(std::move(path_)),
      url(std::move(url_)),
      client(url, path, this, &CCurlDownloader::ProgressRelay) {
  DownloadFiles::Remove(Utils::ToNarrow(path + L".part", Utils::kCodePageAnsi));
}

CCurlDownloader::~CCurlDownloader() {
  client.Cancel();
  std::unique_ptr<Utils::Thread> current, previous;
  {
    std::lock_guard<std::mutex> lock(workerMutex);
    current = std::move(worker);
  }
  if (current) current->Join();  // its body joins a retired predecessor first
  std::lock_guard<std::mutex> lock(workerMutex);
  previous = std::move(retired);
  if (previous) previous->Join();  // only when the successor never ran
}

void CCurlDownloader::Start() {
  std::unique_ptr<Utils::Thread> previous;
  {
    std::lock_guard<std::mutex> lock(workerMutex);
    previous = std::move(worker);
    if (previous && workerThread == std::this_thread::get_id()) {
      // A restart from inside our own report: this thread ends right after the report
      // returns, so the successor waits for it rather than this thread for itself.
      retired = std::move(previous);
    }
  }
  if (previous) previous->Join();
  auto next = std::make_unique<Utils::Thread>(this, L"ABDEF", &CCurlDownloader::dlThreadFun);
  Utils::Thread* started = next.get();
  {
    std::lock_guard<std::mutex> lock(workerMutex);
    worker = std::move(next);
  }
  started->Start();
}

uint32_t CCurlDownloader::dlThreadFun(void* self) {
  auto* me = static_cast<CCurlDownloader*>(self);
  std::unique_ptr<Utils::Thread> previous;
  {
    std::lock_guard<std::mutex> lock(me->workerMutex);
    previous = std::move(me->retired);
  }
  if (previous) previous->Join();  // never two workers at once
  {
    std::lock_guard<std::mutex> lock(me->workerMutex);
    me->workerThread = std::this_thread::get_id();
  }
  me->Run();
  return 0;
}

void CCurlDownloader::Report(int code, double value, const std::wstring& text) {
  if (callback) callback(code, value, text);
}

void CCurlDownloader::ProgressRelay(void* owner, double speed, double, double percent) {
  if (speed > 0 && percent <= 100.0) static_cast<CCurlDownloader*>(owner)->Report(DL_CODE_PROGRESS, percent / 100.0, L"");
}

void CCurlDownloader::Run() {
  Report(DL_CODE_START, 1.0, L"");
  int result = client.Start();
  int budget = kRetryBudget;
  while (result != 0) {
    budget -= result == CURLE_PARTIAL_FILE ? 1 : 2;
    if (budget <= 0) {
      Report(DL_CODE_FAIL, result, kSourceText);
      return;
    }
    DEBUG_PRINT(L"CurlDownLoader Code=%d\r\n", result);
    std::this_thread::sleep_for(std::chrono::milliseconds(kRetryPauseMs));
    result = client.Start();
  }
  CheckDigestAndFinish();
}

void CCurlDownloader::CheckDigestAndFinish() {
  const std::string expected = Utils::UrlParentSegment(client.RealUrl());
  if (expected.size() == 32) {
    // The client hashed the package while storing it; reading it back is the fallback.
    std::string actual = client.Digest();
    if (actual.empty()) actual = Utils::FileMd5(Utils::ToNarrow(path, Utils::kCodePageAnsi));
    if (actual.size() == 32 && actual != expected) {
      Report(DL_CODE_REASON, 0.0, L"curl文件md5校验失败");
      if (retriedOnce) {
        Report(DL_CODE_FAIL, 0.0, kSourceText);
      } else {
        retriedOnce = true;
        Report(DL_CODE_RETRY, 0.0, kSourceText);
      }
      return;
    }
  } else {
    Report(DL_CODE_REASON, 0.0, L"curl获取url-md5失败");
  }
  Report(DL_CODE_SUCCESS, 0.0, kSourceText);
}
