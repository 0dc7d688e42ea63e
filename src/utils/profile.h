// Profile (INI) files: the settings file, "set.ini" and the analytics files.
// The product uses the Win32 profile API; the native build has a small backend
// with the same rules for the cases we use (sections and keys ignore ASCII case,
// blanks around keys and values and one pair of enclosing quotes are removed).
#pragma once
#include <cstddef>
#include <string>

namespace Utils {

bool FileExists(const std::wstring& path);

// The value, cut to bufferChars - 1 characters; def when the key is absent.
std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                               const std::wstring& def, size_t bufferChars = 260);
// The value's leading decimal integer (0 when it has none); def when the key is absent.
int ReadProfileInt(const std::wstring& file, const std::wstring& section, const std::wstring& key, int def);
bool WriteProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value);

}  // namespace Utils
