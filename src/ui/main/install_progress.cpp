#include "ui/main/install_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace MainWindow {

namespace {

template <typename T>
T Truncate(double value) {
  if (std::isnan(value)) return 0;
  const double t = std::trunc(value);
  if (t <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (t >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(t);
}

int ClampPercent(double percent) { return std::clamp(TruncateToInt(percent), 0, 100); }

}  // namespace

int TruncateToInt(double value) { return Truncate<int>(value); }
long TruncateToLong(double value) { return Truncate<long>(value); }
unsigned TruncateToUnsigned(double value) { return Truncate<unsigned>(value); }

int DownloadPercent(double value, double downloadScale) { return ClampPercent(value * downloadScale * 100.0); }

double NextInstallFraction(double fraction, double value) {
  return std::max(std::min(fraction + 0.15, 0.95), value);
}

int InstallPercent(double fraction, double downloadScale) {
  return ClampPercent(((1.0 - downloadScale) * fraction + downloadScale) * 100.0);
}

std::wstring PercentFormat(const std::wstring& skinFormat, float downloadSeconds) {
  if (!skinFormat.empty()) return skinFormat;
  if (downloadSeconds > kPatienceSeconds) return L"正在安装中:%d%%，请耐心等待...";
  return L"正在安装中:%d%%，请稍候...";
}

std::wstring FormatPercent(const std::wstring& format, int percent) {
  std::wstring out;
  bool numberDone = false;
  for (size_t i = 0; i < format.size(); ++i) {
    const wchar_t c = format[i];
    const wchar_t next = i + 1 < format.size() ? format[i + 1] : L'\0';
    if (c == L'%' && next == L'%') {
      out += L'%';
      ++i;
    } else if (c == L'%' && next == L'd' && !numberDone) {
      out += std::to_wstring(percent);
      numberDone = true;
      ++i;
    } else {
      out += c;
    }
  }
  if (out.size() > kPercentTextCapacity - 1) out.resize(kPercentTextCapacity - 1);
  return out;
}

std::wstring ResetProgressText() { return L"正在安装中:0%，请稍候..."; }

}  // namespace MainWindow
