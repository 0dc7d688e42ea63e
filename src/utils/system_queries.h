// Small questions to the operating system. Each reports its outcome through its
// result (false, 0, empty) and shows nothing; none keeps shared state.
#pragma once
#include <cstdint>
#include <string>

namespace Utils {

// "%TEMP%\~ZorvikTemp.92482B06FB471E17\" (created one level deep), or empty.
std::wstring GetInstallerTempDir();

// Creates every missing folder along a backslash-separated path (at most 260 characters).
bool CreateDirectoryTree(const std::wstring& path);

// Connectivity flags in the low 16 bits; verdict in the high 16 bits:
// 0 = internet (or no network list manager), 1 = no network, 2 = network without internet.
// Needs COM initialised on the calling thread.
uint32_t CheckNetwork();

// A new GUID as 32 hex digits without separators; digits 13..16 lower case.
std::wstring NewGuidString();

bool IsWow64();
// Whether the process token belongs to the built-in Administrators group.
bool IsProcessAdmin();
// The user of the session at the physical console; the name is unchanged on failure.
bool GetConsoleUserName(std::wstring& name);
// Whether the local account has the administrator privilege level.
bool IsUserAdmin(const std::wstring& userName);

// Id of the first process whose executable name equals the given one (case matters), or 0.
uint32_t FindProcessByName(const std::wstring& exeName);

// The product's values under HKEY_CURRENT_USER\Software\ZorvikSoft\Quibzip.
bool WriteProductRegValue(const std::wstring& name, const std::wstring& text);
bool ReadProductRegValue(const std::wstring& name, std::wstring& text);

// Lets pending window messages through for about 100 ms (window may be null).
// False when the window is gone or WM_QUIT arrived (which is posted again).
bool PumpMessagesBriefly(void* window);

}  // namespace Utils
