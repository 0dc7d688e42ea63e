// What the download tests share: a status recorder that behaves like the orchestrator
// (a 1005 report starts the downloader again from inside the report), code sequences
// that read well in failure messages, and small file helpers.
#pragma once
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "download/download_status.h"
#include "support/package_server_client.h"
#include "support/test_env.h"
#include "utils/text.h"

namespace DownloadHarness {

struct GlobalCurl {
  GlobalCurl() { curl_global_init(CURL_GLOBAL_ALL); }
  ~GlobalCurl() { curl_global_cleanup(); }
};

struct Status {
  int code;
  double value;
  std::wstring text;
  int64_t wallSecond;  // time() when reported
};

// An expected report; a null text matches any text.
struct Step {
  int code;
  double value;
  const wchar_t* text = nullptr;
};

inline std::string Describe(const std::vector<Status>& got) {
  std::ostringstream out;
  for (const Status& s : got) {
    out << s.code << "(" << s.value;
    if (!s.text.empty()) out << " " << Utils::ToNarrow(s.text, Utils::kCodePageUtf8);
    out << ") ";
  }
  return out.str();
}

inline std::string Describe(const std::vector<Step>& want) {
  std::ostringstream out;
  for (const Step& s : want) {
    out << s.code << "(" << s.value;
    if (s.text && *s.text) out << " " << Utils::ToNarrow(s.text, Utils::kCodePageUtf8);
    out << ") ";
  }
  return out.str();
}

inline bool Matches(const std::vector<Status>& got, const std::vector<Step>& want) {
  if (got.size() != want.size()) return false;
  for (size_t i = 0; i < got.size(); ++i) {
    if (got[i].code != want[i].code || got[i].value != want[i].value) return false;
    if (want[i].text && got[i].text != want[i].text) return false;
  }
  return true;
}

class StatusRecorder {
 public:
  // The callback to hand to a downloader; this recorder must outlive the downloader.
  StatusCallback Callback() {
    return [this](int code, double value, const std::wstring& text) { Record(code, value, text); };
  }
  // What a 1005 report does (the orchestrator calls the downloader's Start).
  void OnRetry(std::function<void()> restart) { restart_ = std::move(restart); }

  // Until 1003 or 1004; false on time-out.
  bool WaitForEnd(std::chrono::seconds limit = std::chrono::seconds(90)) {
    std::unique_lock<std::mutex> lock(mutex_);
    return ended_.wait_for(lock, limit, [this] { return ends_ > 0; });
  }

  std::vector<Status> All() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return all_;
  }
  // Every report but progress.
  std::vector<Status> Steps() const {
    std::vector<Status> out;
    for (const Status& s : All())
      if (s.code != DL_CODE_PROGRESS) out.push_back(s);
    return out;
  }
  std::vector<Status> Progress() const {
    std::vector<Status> out;
    for (const Status& s : All())
      if (s.code == DL_CODE_PROGRESS) out.push_back(s);
    return out;
  }
  // Reports that arrived while a 1005 report was still running (a second worker).
  int Overlaps() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return overlaps_;
  }

 private:
  void Record(int code, double value, const std::wstring& text) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (inRetry_ && code != DL_CODE_PROGRESS) ++overlaps_;
      all_.push_back({code, value, text, static_cast<int64_t>(std::time(nullptr))});
      if (code == DL_CODE_RETRY) inRetry_ = true;
    }
    if (code == DL_CODE_RETRY && restart_) restart_();
    if (code == DL_CODE_RETRY) {
      std::lock_guard<std::mutex> lock(mutex_);
      inRetry_ = false;
    }
    if (code == DL_CODE_SUCCESS || code == DL_CODE_FAIL) {
      std::lock_guard<std::mutex> lock(mutex_);
      ++ends_;
      ended_.notify_all();
    }
  }

  mutable std::mutex mutex_;  // guards everything below
  std::condition_variable ended_;
  std::vector<Status> all_;
  int ends_ = 0;
  bool inRetry_ = false;
  int overlaps_ = 0;
  std::function<void()> restart_;  // set before the download starts
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return std::string();
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

inline bool FileExists(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

inline void WriteLocal(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A destination path in the test's scratch folder.
inline std::string LocalPath(const std::string& name) { return TestEnv::Join(TestEnv::TmpDir(), name); }
inline std::wstring Wide(const std::string& s) { return Utils::ToWide(s, Utils::kCodePageUtf8); }

// Progress rules every downloader keeps: fractions in (0, 1], at most one per second
// of wall-clock time, and (for the multi-part one) growing by at least one point.
inline void ExpectThrottledProgress(const std::vector<Status>& progress, bool stepOfOnePoint) {
  for (size_t i = 0; i < progress.size(); ++i) {
    EXPECT_GT(progress[i].value, 0.0);
    EXPECT_LE(progress[i].value, 1.0);
    if (i == 0) continue;
    EXPECT_GT(progress[i].wallSecond, progress[i - 1].wallSecond) << "two reports in one second at " << i;
    if (stepOfOnePoint) {
      EXPECT_GE(progress[i].value - progress[i - 1].value, 0.01 - 1e-9) << "at " << i;
    }
  }
}

}  // namespace DownloadHarness
