// What the tracker asks the operating system: version numbers, word size, locale
// names, screen size, folders and GUIDs. Win32 in system_facts_win.cpp; the native
// build has fixed or environment-based stand-ins in system_facts_posix.cpp.
// Every query is thread-safe, blocks only briefly and reports failure in its result.
#pragma once
#include <cstdint>
#include <string>

#include "analytics/tracker/os_description.h"

namespace zorvik {
namespace analytics {
namespace system_facts {

// ntdll's version numbers (not subject to compatibility shims).
OsNumbers QueryOsNumbers();
// True when the system (not the process) is 64-bit.
bool Is64BitSystem();
// The Server 2003 R2 flag.
bool IsServerR2();
// The user default locale's ISO 639 language and ISO 3166 country names; each
// empty when unavailable.
void UserLocaleNames(std::string* language, std::string* country);
// Primary screen size in pixels (0 when unknown).
int ScreenWidth();
int ScreenHeight();
// The per-user local application-data folder (Windows 7 and later) or the
// all-users shared documents folder, without a trailing separator; empty on failure.
std::wstring LocalAppDataFolder();
std::wstring SharedDocumentsFolder();
// The short (8.3) form of an existing path; the path itself when it has none.
std::wstring ShortPath(const std::wstring& path);
// The folder of the running executable, with a trailing separator.
std::wstring ExecutableFolder();
// Creates one folder level; true when it exists afterwards.
bool MakeFolder(const std::wstring& path);
// A new GUID's 16 bytes in the order Data1 (4), Data2 (2), Data3 (2), Data4 (8),
// the integers as numbers; false when the system gives none.
struct Guid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
bool CreateGuid(Guid* guid);

}  // namespace system_facts
}  // namespace analytics
}  // namespace zorvik
