#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "utils/profile.h"

namespace Utils {

bool FileExists(const std::wstring& path) { return PathFileExistsW(path.c_str()) != FALSE; }

std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                               const std::wstring& def, size_t bufferChars) {
  std::vector<wchar_t> buf(bufferChars ? bufferChars : 1, L'\0');
  GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buf.data(), static_cast<DWORD>(buf.size()),
                           file.c_str());
  return buf.data();
}

int ReadProfileInt(const std::wstring& file, const std::wstring& section, const std::wstring& key, int def) {
  return static_cast<int>(GetPrivateProfileIntW(section.c_str(), key.c_str(), def, file.c_str()));
}

bool WriteProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

}  // namespace Utils

// <windows.h> maps WriteProfileString to WriteProfileStringW, so the definition
// above carries that name, and so do the calls of Win32 sources. Portable sources
// never see the macro and call the plain name: give them the same function.
#undef WriteProfileString
namespace Utils {

bool WriteProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
  return Utils::WriteProfileStringW(file, section, key, value);
}

}  // namespace Utils
