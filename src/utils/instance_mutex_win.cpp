#include <windows.h>

#include "utils/instance_mutex.h"

namespace Utils {

bool InstanceMutex::Acquire() {
  if (!handle_) {
    std::wstring name = L"D1A547DB89C0BC61_" + baseName_;
    HANDLE h = CreateMutexW(nullptr, TRUE, name.c_str());
    if (h && GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(h);
      h = nullptr;
    }
    handle_ = h;
  }
  return handle_ != nullptr;
}

void InstanceMutex::Release() {
  if (!handle_) return;
  ReleaseMutex(handle_);
  CloseHandle(handle_);
  handle_ = nullptr;
}

}  // namespace Utils
