#include <windows.h>

#include "utils/debug_log.h"
#include "utils/hard_disk_manager.h"

namespace Utils {

bool HardDiskManager::CheckFreeSpace(const std::wstring& folder) {
  ULARGE_INTEGER avail, total, free;
  if (!GetDiskFreeSpaceExW(folder.c_str(), &avail, &total, &free)) {
    DEBUG_PRINT(L"HardDiskManager::CheckFreeSpace FAIL code=%ld\r\n", static_cast<long>(GetLastError()));
    return false;
  }
  freeBytesAvailable = avail.QuadPart;
  totalBytes = total.QuadPart;
  totalFreeBytes = free.QuadPart;
  return true;
}

}  // namespace Utils
