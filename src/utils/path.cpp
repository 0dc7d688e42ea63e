#include "utils/path.h"

namespace Utils {

namespace {
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return name;
  std::wstring out = folder;
  if (!IsSeparator(out.back())) out.push_back(kPathSeparator);
  size_t skip = 0;
  while (skip < name.size() && IsSeparator(name[skip])) ++skip;
  return out + name.substr(skip);
}

std::wstring ParentPath(const std::wstring& path) {
  size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring FileNamePart(const std::wstring& path) {
  size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

}  // namespace Utils
