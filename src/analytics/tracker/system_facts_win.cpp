#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "analytics/tracker/system_facts.h"

namespace zorvik {
namespace analytics {
namespace system_facts {
namespace {

std::wstring ShellFolder(int csidl) {
  wchar_t buf[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf))) return std::wstring();
  return buf;
}

std::string LocaleName(LCTYPE type) {
  char buf[16] = {};
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) > 0 ? std::string(buf) : std::string();
}

}  // namespace

OsNumbers QueryOsNumbers() {
  OsNumbers os;
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  using Fn = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
  auto fn = ntdll ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetNtVersionNumbers")))
                  : nullptr;
  if (!fn) return os;
  DWORD major = 0, minor = 0, build = 0;
  fn(&major, &minor, &build);
  os.known = true;
  os.major = major;
  os.minor = minor;
  os.build = build & 0xFFFF;
  return os;
}

bool Is64BitSystem() {
  using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto isWow64 = kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
                        : nullptr;
  BOOL wow64 = FALSE;
  // A 32-bit process on 64-bit Windows says so here; a 64-bit process says no,
  // so a "no" is settled by the processor architecture instead.
  if (isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64) return true;
  SYSTEM_INFO info = {};
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

bool IsServerR2() { return GetSystemMetrics(SM_SERVERR2) != 0; }

void UserLocaleNames(std::string* language, std::string* country) {
  *language = LocaleName(LOCALE_SISO639LANGNAME);
  *country = LocaleName(LOCALE_SISO3166CTRYNAME);
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

std::wstring LocalAppDataFolder() { return ShellFolder(CSIDL_LOCAL_APPDATA); }
std::wstring SharedDocumentsFolder() { return ShellFolder(CSIDL_COMMON_DOCUMENTS); }

std::wstring ShortPath(const std::wstring& path) {
  DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return path;
  std::vector<wchar_t> buf(n + 1, L'\0');
  DWORD got = GetShortPathNameW(path.c_str(), buf.data(), n + 1);
  return got > 0 && got <= n ? std::wstring(buf.data()) : path;
}

std::wstring ExecutableFolder() {
  wchar_t buf[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  std::wstring path(buf, n);
  const size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

bool MakeFolder(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateGuid(Guid* guid) {
  GUID g;
  if (FAILED(CoCreateGuid(&g))) return false;
  guid->data1 = g.Data1;
  guid->data2 = g.Data2;
  guid->data3 = g.Data3;
  for (int i = 0; i < 8; ++i) guid->data4[i] = g.Data4[i];
  return true;
}

}  // namespace system_facts
}  // namespace analytics
}  // namespace zorvik
