#include <windows.h>
#include <shlwapi.h>

#include "utils/system_queries.h"

namespace Utils {

bool CreateDirectoryTree(const std::wstring& path) {
  if (path.size() > MAX_PATH) return false;
  // Every prefix up to a backslash, outermost first; a drive root always exists.
  for (size_t pos = path.find(L'\\'); pos != std::wstring::npos; pos = path.find(L'\\', pos + 1)) {
    std::wstring prefix = path.substr(0, pos + 1);
    if (!PathFileExistsW(prefix.c_str()) && !CreateDirectoryW(prefix.c_str(), nullptr)) return false;
  }
  size_t last = path.rfind(L'\\');
  bool tail = last == std::wstring::npos ? !path.empty() : last + 1 < path.size();
  if (tail && !PathFileExistsW(path.c_str()) && !CreateDirectoryW(path.c_str(), nullptr)) return false;
  return true;
}

}  // namespace Utils
