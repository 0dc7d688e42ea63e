// Small owners and queries for C-runtime files named by narrow paths (ANSI code page on
// Windows, UTF-8 elsewhere), as the downloaders keep their partial and part files.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace DownloadFiles {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
// Owns one C-runtime stream; closing through reset() ignores the result, so writers
// that must know whether their data reached the disk call Close() instead.
using File = std::unique_ptr<FILE, FileCloser>;

// fopen; null on failure.
File Open(const std::string& path, const char* mode);
// Flushes and closes; false when either failed. The owner is empty afterwards.
bool Close(File& file);
// Size of an open stream (its position is left at the end), -1 on failure.
int64_t Size(FILE* file);
// Size of the named file, -1 when it is missing or cannot be queried.
int64_t SizeOf(const std::string& path);
bool Exists(const std::string& path);
// Removes the file; true when it is gone afterwards (also when it never existed).
bool Remove(const std::string& path);
bool Rename(const std::string& from, const std::string& to);

}  // namespace DownloadFiles
