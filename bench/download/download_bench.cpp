// One package download with CCurlDownloader ("single") or CMTCurlDownloader ("multi"),
// timed from Start to the final report. Prints one line of figures:
//   wall_s=<s> bytes=<n> peak_rss_kib=<k> code=<1003|1004> md5=<digest> md5_s=<s>
// wall_s includes the downloader's own digest check (kept while it stores the bytes);
// md5_s is how long one more digest of the result takes here, reading the file back
// after the clock stopped: what a separate digest pass would add.
#include <curl/curl.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "download/curl_downloader.h"
#include "download/mt_curl_downloader.h"
#include "download/stdio_file.h"
#include "peak_memory.h"
#include "utils/md5.h"
#include "utils/text.h"

namespace {

struct Outcome {
  std::mutex mutex;  // guards code
  std::condition_variable done;
  int code = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: download_bench single|multi <url> <destination>\n");
    return 2;
  }
  const std::string kind = argv[1];
  const std::wstring url = Utils::ToWide(argv[2], Utils::kCodePageUtf8);
  const std::wstring dest = Utils::ToWide(argv[3], Utils::kCodePageAnsi);
  curl_global_init(CURL_GLOBAL_ALL);
  Outcome outcome;
  StatusCallback callback = [&outcome](int code, double, const std::wstring&) {
    if (code != DL_CODE_SUCCESS && code != DL_CODE_FAIL) return;
    std::lock_guard<std::mutex> lock(outcome.mutex);
    outcome.code = code;
    outcome.done.notify_all();
  };
  std::unique_ptr<CDownloader> downloader;
  if (kind == "multi") {
    downloader = std::make_unique<CMTCurlDownloader>(callback, url, dest);
  } else {
    downloader = std::make_unique<CCurlDownloader>(callback, url, dest);
  }
  const auto began = std::chrono::steady_clock::now();
  downloader->Start();
  {
    std::unique_lock<std::mutex> lock(outcome.mutex);
    outcome.done.wait(lock, [&outcome] { return outcome.code != 0; });
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  downloader.reset();
  const std::string narrow = Utils::ToNarrow(dest, Utils::kCodePageAnsi);
  const int64_t bytes = DownloadFiles::SizeOf(narrow);
  const auto md5Began = std::chrono::steady_clock::now();
  const std::string md5 = Utils::FileMd5(narrow);
  const double md5Wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - md5Began).count();
  std::printf("wall_s=%.3f bytes=%lld peak_rss_kib=%lld code=%d md5=%s md5_s=%.3f\n", wall,
              static_cast<long long>(bytes), static_cast<long long>(PeakResidentKib()), outcome.code, md5.c_str(),
              md5Wall);
  curl_global_cleanup();
  return outcome.code == DL_CODE_SUCCESS ? 0 : 1;
}
