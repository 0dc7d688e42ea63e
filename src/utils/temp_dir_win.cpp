#include <windows.h>

#include "utils/system_queries.h"

namespace Utils {

std::wstring GetInstallerTempDir() {
  wchar_t temp[MAX_PATH] = {};
  DWORD n = GetTempPathW(MAX_PATH, temp);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  std::wstring dir = std::wstring(temp) + L"~ZorvikTemp.92482B06FB471E17\\";
  if (GetFileAttributesW(dir.c_str()) == INVALID_FILE_ATTRIBUTES && !CreateDirectoryW(dir.c_str(), nullptr))
    return std::wstring();
  return dir;
}

}  // namespace Utils
