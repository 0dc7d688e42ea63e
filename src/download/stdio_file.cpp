#include "download/stdio_file.h"

#include <cerrno>

namespace DownloadFiles {

namespace {

int Seek(FILE* f, int64_t offset, int whence) {
#ifdef _WIN32
  return _fseeki64(f, offset, whence);
#else
  return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}

int64_t Tell(FILE* f) {
#ifdef _WIN32
  return _ftelli64(f);
#else
  return static_cast<int64_t>(ftello(f));
#endif
}

}  // namespace

File Open(const std::string& path, const char* mode) { return File(std::fopen(path.c_str(), mode)); }

bool Close(File& file) {
  if (!file) return false;
  bool flushed = std::fflush(file.get()) == 0 && !std::ferror(file.get());
  bool closed = std::fclose(file.release()) == 0;
  return flushed && closed;
}

int64_t Size(FILE* file) {
  if (!file || Seek(file, 0, SEEK_END) != 0) return -1;
  return Tell(file);
}

int64_t SizeOf(const std::string& path) {
  File f = Open(path, "rb");
  return f ? Size(f.get()) : -1;
}

bool Exists(const std::string& path) { return static_cast<bool>(Open(path, "rb")); }

bool Remove(const std::string& path) { return std::remove(path.c_str()) == 0 || !Exists(path); }

bool Rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace DownloadFiles
