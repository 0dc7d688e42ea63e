// Address helpers shared by every platform.
#include "utils/text.h"

namespace Utils {

std::wstring UrlEscape(const std::wstring& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string utf8 = ToNarrow(text, kCodePageUtf8);
  std::string out;
  out.reserve(utf8.size() * 3);
  for (unsigned char c : utf8) {
    if (c == ' ') {
      out.push_back('+');
    } else if (c >= 33 && c <= 126) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return ToWide(out, kCodePageUtf8);
}

std::string UrlParentSegment(const std::string& address) {
  size_t last = address.rfind('/');
  if (last == std::string::npos || last == 0) return std::string();
  size_t before = address.rfind('/', last - 1);
  if (before == std::string::npos) return std::string();
  return address.substr(before + 1, last - before - 1);
}

}  // namespace Utils
