#include <windows.h>
#include <objbase.h>

#include <cwchar>

#include "utils/system_queries.h"

namespace Utils {

std::wstring NewGuidString() {
  GUID g;
  if (FAILED(CoCreateGuid(&g))) return std::wstring();
  wchar_t buf[50] = {};
  // The third group in lower case, as the identity files have always been written.
  std::swprintf(buf, 50, L"%08lX%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X", static_cast<unsigned long>(g.Data1),
                g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5],
                g.Data4[6], g.Data4[7]);
  return buf;
}

}  // namespace Utils
