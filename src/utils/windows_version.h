// The Windows version name ("XP", "7", "10", ...) that picks the package route.
#pragma once
#include <string>

namespace Utils {

struct WindowsVersion {
  std::wstring family;  // always "Windows"
  std::wstring name;
};

// The naming table over the version numbers; serverR2 is SM_SERVERR2 != 0.
std::wstring WindowsVersionName(unsigned major, unsigned minor, unsigned build, bool serverR2);

// Reads the running system's numbers (ntdll's RtlGetNtVersionNumbers) and names them.
WindowsVersion GetWindowsVersionName();

}  // namespace Utils
