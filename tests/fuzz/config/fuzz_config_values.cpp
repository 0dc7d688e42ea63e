// Fuzzes the settings conversions: the number prefixes, the argument map and the
// route expansion, checking each against an independent reading of the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/installer_config.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::wstring Text(const uint8_t* data, size_t size) {
  std::wstring t;
  for (size_t i = 0; i + 1 < size; i += 2) t.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring text = Text(data, size);

  int32_t i = 0;
  if (ConfigValues::LeadingInt(text, &i) == ConfigValues::Parse::Ok) {
    // strtoll over the same characters must agree whenever they fit.
    std::string narrow;
    for (wchar_t c : text) narrow.push_back(c > 0 && c < 128 ? static_cast<char>(c) : '#');
    Check(std::strtoll(narrow.c_str(), nullptr, 10) == i);
  }
  double d = 0;
  ConfigValues::LeadingDouble(text, &d);

  std::vector<std::wstring> args;
  size_t start = 0;
  for (size_t k = 0; k <= text.size(); ++k) {
    if (k == text.size() || text[k] == L' ') {
      args.push_back(text.substr(start, k - start));
      start = k + 1;
    }
  }
  auto map = ConfigValues::ArgumentMap(args);
  for (const auto& a : args) Check(map.count(a.substr(0, a.find(L'='))) || map.count(a));

  std::wstring routed = ConfigValues::ExpandRouteFor(text, L"XP");
  Check(routed.find(L"${ROUTE}") == std::wstring::npos);
  return 0;
}
