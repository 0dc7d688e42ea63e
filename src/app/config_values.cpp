// Value conversions of the settings file and the command line.
#include <cerrno>
#include <cmath>
#include <cwchar>
#include <cwctype>

#include "app/installer_config.h"

namespace ConfigValues {

namespace {
size_t SkipBlanks(const std::wstring& t) {
  size_t i = 0;
  while (i < t.size() && std::iswspace(t[i])) ++i;
  return i;
}
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
}  // namespace

Parse LeadingInt(const std::wstring& text, int32_t* value) {
  size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  if (i >= text.size() || !IsDigit(text[i])) return Parse::NoNumber;
  int64_t v = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    v = v * 10 + (text[i] - L'0');
    if (v > int64_t(INT32_MAX) + 1) return Parse::OutOfRange;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return Parse::OutOfRange;
  *value = static_cast<int32_t>(v);
  return Parse::Ok;
}

Parse LeadingDouble(const std::wstring& text, double* value) {
  size_t i = SkipBlanks(text), start = i;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == L'.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return Parse::NoNumber;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  std::wstring number = text.substr(start, i - start);
  errno = 0;
  double v = std::wcstod(number.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(v)) return Parse::OutOfRange;
  *value = v;
  return Parse::Ok;
}

bool IsTrue(const std::wstring& text) { return text == L"true"; }

std::map<std::wstring, std::wstring> ArgumentMap(const std::vector<std::wstring>& args) {
  std::map<std::wstring, std::wstring> map;
  for (const std::wstring& a : args) {
    size_t eq = a.find(L'=');
    if (!a.empty() && a[0] == L'-' && eq != std::wstring::npos)
      map.emplace(a.substr(0, eq), a.substr(eq + 1));
    else
      map.emplace(a, std::wstring());
  }
  return map;
}

std::wstring ExpandRouteFor(const std::wstring& address, const std::wstring& versionName) {
  static const std::wstring kMarker = L"${ROUTE}";
  std::wstring out = address;
  if (out.find(kMarker) == std::wstring::npos) return out;
  std::wstring route = versionName.find(L"XP") != std::wstring::npos ? L"download_silent_xp" : L"download_silent";
  for (size_t at = out.find(kMarker); at != std::wstring::npos; at = out.find(kMarker))
    out.replace(at, kMarker.size(), route);
  return out;
}

}  // namespace ConfigValues
