// Free space of a volume; the main window refuses a folder with less than 1 GB free.
#pragma once
#include <cstdint>
#include <string>

namespace Utils {

class HardDiskManager {
 public:
  virtual ~HardDiskManager() = default;
  // GetDiskFreeSpaceExW on the folder (the callers pass a drive such as "C:").
  // On failure logs the error code and leaves the counts unchanged.
  bool CheckFreeSpace(const std::wstring& folder);

  uint64_t freeBytesAvailable = 0;
  uint64_t totalBytes = 0;
  uint64_t totalFreeBytes = 0;
};

}  // namespace Utils
