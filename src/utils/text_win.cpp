// Windows backend of the code-page conversions.
#include <windows.h>

#include "utils/text.h"

namespace Utils {

std::string ToNarrow(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  if (WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                          nullptr, nullptr) != n)
    return std::string();
  return out;
}

std::wstring ToWide(const std::string& text, unsigned codePage) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  if (MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n) != n)
    return std::wstring();
  return out;
}

}  // namespace Utils
