// The reason texts of the failure funnel steps: the long report of a failed
// download (what the user's disk and network looked like) and the short one that
// only carries the producer's code and message. Pure functions; any thread.
#pragma once
#include <cstdint>
#include <string>

namespace MainWindow {

// Both reports are formatted into a buffer of this many characters (terminator included).
constexpr size_t kFailureReportCapacity = 200;

struct DownloadFailureFacts {
  double statusValue = 0.0;     // the producer's error code, truncated for the report
  std::wstring statusText;      // the producer's text
  uint64_t freeBytes = 0;       // free bytes available on the package file's drive
  bool packagePlaceWritable = false;
  uint32_t networkVerdict = 0;  // Utils::CheckNetwork
};

// "1.code=%ld；2.msg=%s；3.缓存磁盘容量=%.2fG；4.缓存读写权限=%s；5.服务器连接状态code=%d"
std::wstring DownloadFailureReport(const DownloadFailureFacts& facts);

// ":1.code=%ld；2.msg=%s"
std::wstring ShortFailureReport(double statusValue, const std::wstring& statusText);

}  // namespace MainWindow
