// The named mutex that keeps the installer single. The lock is held while the
// handle is open; a second holder in the same logon session fails to acquire it.
#pragma once
#include <string>

namespace Utils {

class InstanceMutex {
 public:
  explicit InstanceMutex(std::wstring baseName) : baseName_(std::move(baseName)) {}
  ~InstanceMutex() { Release(); }
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;

  // Creates "D1A547DB89C0BC61_<base>" initially owned; true when the lock is held.
  bool Acquire();
  bool Held() const { return handle_ != nullptr; }
  void Release();

 private:
  std::wstring baseName_;
  void* handle_ = nullptr;
};

}  // namespace Utils
