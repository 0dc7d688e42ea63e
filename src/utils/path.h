// Path building shared by the pipeline: the product joins with backslashes, the
// native test build with slashes, so portable code never writes a separator itself.
#pragma once
#include <string>

namespace Utils {

#ifdef _WIN32
constexpr wchar_t kPathSeparator = L'\\';
#else
constexpr wchar_t kPathSeparator = L'/';
#endif

// folder + separator + name, with exactly one separator between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
// The path without its last component (no trailing separator); empty when there is none.
std::wstring ParentPath(const std::wstring& path);
// The last component.
std::wstring FileNamePart(const std::wstring& path);

// Copies a file, replacing the target; false when the copy failed.
bool CopyFileReplacing(const std::wstring& from, const std::wstring& to);
// Deletes a file; false when it is still there afterwards.
bool DeleteFileIfPresent(const std::wstring& path);

}  // namespace Utils
