// Collects what a producer reports through a StatusCallback, from any thread, so
// tests can await a code and compare the whole sequence afterwards.
#pragma once
#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "install/status_callback.h"

struct Status {
  int code = 0;
  double value = 0.0;
  std::wstring text;
  bool operator==(const Status& o) const { return code == o.code && value == o.value && text == o.text; }
};

inline void PrintTo(const Status& s, std::ostream* os) {
  *os << "{" << s.code << ", " << s.value << ", L\"";
  for (wchar_t c : s.text) {
    if (c >= 32 && c < 127) *os << static_cast<char>(c);
    else *os << "\\u" << std::hex << static_cast<unsigned>(c) << std::dec;
  }
  *os << "\"}";
}

class StatusRecorder {
 public:
  StatusCallback Callback() {
    return [this](int code, double value, const std::wstring& text) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        statuses_.push_back(Status{code, value, text});
      }
      changed_.notify_all();
    };
  }

  std::vector<Status> Snapshot() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return statuses_;
  }

  // True once a status with one of the codes has arrived; false at the timeout.
  bool WaitForCode(std::initializer_list<int> codes, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
      for (const Status& s : statuses_)
        for (int c : codes)
          if (s.code == c) return true;
      return false;
    });
  }

 private:
  mutable std::mutex mutex_;  // guards statuses_
  std::condition_variable changed_;
  std::vector<Status> statuses_;
};
