#include <windows.h>

#include "utils/path.h"

namespace Utils {

bool CopyFileReplacing(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool DeleteFileIfPresent(const std::wstring& path) {
  return DeleteFileW(path.c_str()) || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace Utils
