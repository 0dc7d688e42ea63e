// Reads the version numbers from ntdll, which does not lie about them the way
// GetVersionEx does for programs without a compatibility manifest.
#include <windows.h>

#include "utils/windows_version.h"

namespace Utils {

WindowsVersion GetWindowsVersionName() {
  WindowsVersion v{L"Windows", L"XP-"};
  HMODULE ntdll = LoadLibraryW(L"ntdll.dll");
  if (!ntdll) return v;
  using Fn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  DWORD major = 0, minor = 0, build = 0;
  if (auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetNtVersionNumbers"))))
    fn(&major, &minor, &build);
  FreeLibrary(ntdll);
  v.name = WindowsVersionName(major, minor, build & 0xFFFF, GetSystemMetrics(SM_SERVERR2) != 0);
  return v;
}

}  // namespace Utils
