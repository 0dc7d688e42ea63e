// The few system queries the native build needs, for testing portable modules
// natively. Paths use "/" here; everything else keeps the Windows rules.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "utils/system_queries.h"
#include "utils/text.h"

namespace Utils {

std::wstring GetInstallerTempDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/~ZorvikTemp.92482B06FB471E17/";
  struct stat st;
  if (stat(dir.c_str(), &st) != 0 && mkdir(dir.c_str(), 0700) != 0) return std::wstring();
  return ToWide(dir, kCodePageUtf8);
}

bool CreateDirectoryTree(const std::wstring& wide) {
  if (wide.size() > 260) return false;
  std::string path = ToNarrow(wide, kCodePageUtf8);
  struct stat st;
  for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1)) {
    std::string prefix = path.substr(0, pos);
    if (stat(prefix.c_str(), &st) != 0 && mkdir(prefix.c_str(), 0755) != 0) return false;
  }
  if (!path.empty() && path.back() != '/' && stat(path.c_str(), &st) != 0 && mkdir(path.c_str(), 0755) != 0)
    return false;
  return true;
}

bool IsProcessAdmin() { return geteuid() == 0; }
bool GetConsoleUserName(std::wstring&) { return false; }
bool IsUserAdmin(const std::wstring&) { return false; }

}  // namespace Utils
