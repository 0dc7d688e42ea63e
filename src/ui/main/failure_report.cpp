#include "ui/main/failure_report.h"

#include <cwchar>

#include "ui/main/install_progress.h"

namespace MainWindow {

namespace {

std::wstring Capped(std::wstring text) {
  if (text.size() > kFailureReportCapacity - 1) text.resize(kFailureReportCapacity - 1);
  return text;
}

std::wstring Gigabytes(uint64_t bytes) {
  wchar_t buffer[64];
  std::swprintf(buffer, 64, L"%.2f", static_cast<double>(bytes) / 1073741824.0);
  return buffer;
}

}  // namespace

std::wstring DownloadFailureReport(const DownloadFailureFacts& facts) {
  std::wstring text = L"1.code=" + std::to_wstring(TruncateToLong(facts.statusValue));
  text += L"；2.msg=" + facts.statusText;
  text += L"；3.缓存磁盘容量=" + Gigabytes(facts.freeBytes) + L"G";
  text += std::wstring(L"；4.缓存读写权限=") + (facts.packagePlaceWritable ? L"可读" : L"无权限");
  // The verdict is printed as the signed number the system gave back.
  text += L"；5.服务器连接状态code=" + std::to_wstring(static_cast<int32_t>(facts.networkVerdict));
  return Capped(std::move(text));
}

std::wstring ShortFailureReport(double statusValue, const std::wstring& statusText) {
  return Capped(L":1.code=" + std::to_wstring(TruncateToLong(statusValue)) + L"；2.msg=" + statusText);
}

}  // namespace MainWindow
