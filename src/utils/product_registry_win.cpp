#include <windows.h>

#include <vector>

#include "utils/system_queries.h"

namespace Utils {

namespace {
const wchar_t kProductKey[] = L"Software\\ZorvikSoft\\Quibzip";
}

bool WriteProductRegValue(const std::wstring& name, const std::wstring& text) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  // Stored without the terminating zero, as readers of the key expect.
  LONG rc = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() * sizeof(wchar_t)));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

bool ReadProductRegValue(const std::wstring& name, std::wstring& text) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = 0;
  bool ok = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  if (ok) {
    // Zero-filled and larger than the data, so a value stored without its zero still ends.
    std::vector<wchar_t> buf(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = size;
    ok = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got) ==
         ERROR_SUCCESS;
    if (ok) text = buf.data();
  }
  RegCloseKey(key);
  return ok;
}

}  // namespace Utils
