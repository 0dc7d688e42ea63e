#include <windows.h>
#include <tlhelp32.h>

#include "utils/system_queries.h"

namespace Utils {

uint32_t FindProcessByName(const std::wstring& exeName) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof(entry);
  uint32_t found = 0;
  for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry)) {
    if (lstrcmpW(entry.szExeFile, exeName.c_str()) == 0) {
      found = entry.th32ProcessID;
      break;
    }
  }
  CloseHandle(snap);
  return found;
}

}  // namespace Utils
