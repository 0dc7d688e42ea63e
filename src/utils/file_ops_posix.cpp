#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "utils/path.h"
#include "utils/text.h"

namespace Utils {

bool CopyFileReplacing(const std::wstring& from, const std::wstring& to) {
  std::ifstream in(ToNarrow(from, kCodePageAnsi), std::ios::binary);
  if (!in) return false;
  std::string target = ToNarrow(to, kCodePageAnsi);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out << in.rdbuf();
  out.close();
  if (!out) return false;
  struct stat st;
  if (stat(ToNarrow(from, kCodePageAnsi).c_str(), &st) == 0) chmod(target.c_str(), st.st_mode & 0777);
  return true;
}

bool DeleteFileIfPresent(const std::wstring& path) {
  std::string p = ToNarrow(path, kCodePageAnsi);
  return std::remove(p.c_str()) == 0 || access(p.c_str(), F_OK) != 0;
}

}  // namespace Utils
