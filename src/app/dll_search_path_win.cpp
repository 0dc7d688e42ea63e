#include "app/dll_search_path.h"

#include <windows.h>

#include <string>

namespace {

// Looked up at run time: systems before Windows 8 without KB2533623 lack it.
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

constexpr DWORD kSearchSystem32 = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

const wchar_t* const kPreloaded[] = {L"version.dll", L"ws2_32.dll",  L"sxs.dll",
                                     L"dwmapi.dll",  L"msimg32.dll", L"d3d8.dll",
                                     L"ieframe.dll", L"ws2help.dll", L"WindowsCodecs.dll"};

}  // namespace

void HardenDllSearchPath() {
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (kernel) {
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(kSearchSystem32);
  }
  ::SetDllDirectoryW(L"");

  wchar_t system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  for (const wchar_t* name : kPreloaded) {
    const std::wstring path = std::wstring(system, length) + L"\\" + name;
    ::LoadLibraryW(path.c_str());  // never freed: the modules stay loaded on purpose
  }
}
