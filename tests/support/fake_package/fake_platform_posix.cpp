#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "fake_platform.h"
#include "utils/system_queries.h"
#include "utils/text.h"

namespace Fake {

std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

std::string ReceivedCommandLine(int argc, char** argv) {
  std::string out;
  for (int i = 0; i < argc; ++i) out += std::string(argv[i]) + "\n";
  return out;
}

std::string SelfDir(int, char**) {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (n <= 0) return ".";
  std::string p(path, static_cast<size_t>(n));
  return p.substr(0, p.rfind('/'));
}

std::string GetEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool ReadWholeFile(const std::string& path, std::string& data) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[4096];
  size_t n;
  data.clear();
  while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) data.append(buf, n);
  std::fclose(f);
  return true;
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

bool CopyWholeFile(const std::string& from, const std::string& to) {
  std::string data;
  if (!ReadWholeFile(from, data) || !WriteWholeFile(to, data)) return false;
  return chmod(to.c_str(), 0755) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool MakeDirs(const std::string& path) { return Utils::CreateDirectoryTree(Utils::ToWide(path, Utils::kCodePageUtf8)); }

void WriteOut(const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = write(1, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data += n;
    size -= static_cast<size_t>(n);
  }
}

void CloseOut() { close(1); }

}  // namespace Fake
