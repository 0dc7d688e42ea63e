// PrefixDigest: a running MD5 of the bytes appended to a package file, so a downloader
// knows the digest of what it stored without reading the whole file back. Bytes already
// on disk when a transfer resumes are read and hashed once (CatchUp).
//
// Owner: the downloader that writes the file. Thread: one at a time (the writer's).
// CatchUp blocks on reading the file; the rest only computes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "utils/md5.h"

class PrefixDigest {
 public:
  // Makes the digest cover exactly the first `size` bytes of the file at `path`. Keeps
  // the running state when it already covers that many bytes (written through Add by
  // this owner), else starts over and reads them from the file. On a read failure the
  // digest is marked unknown until the next CatchUp.
  void CatchUp(const std::string& path, int64_t size);
  // Starts over from an empty file, discarding what was hashed so far.
  void Reset();
  // Appends bytes that were just stored at the end of the file.
  void Add(const void* data, size_t size);
  // Bytes covered so far; -1 when unknown.
  int64_t Bytes() const { return known ? bytes : -1; }
  // 32 lower-case hexadecimal digits of the bytes covered; empty when unknown.
  std::string HexDigest() const;

 private:
  Utils::Md5 md5;
  int64_t bytes = 0;
  bool known = true;
};
