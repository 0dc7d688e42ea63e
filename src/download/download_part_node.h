// DownloadPartNode: one byte range of a multi-part package download, with its part
// file and its easy handle. Owned by CMTCurlDownloader; touched only by its own part
// thread until the finishing thread runs (received is also summed by the progress
// callback on other part threads, hence atomic).
#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "download/curl_easy.h"
#include "download/prefix_digest.h"
#include "download/stdio_file.h"

struct DownloadPartNode {
  static constexpr int kPending = -1;
  static constexpr int kNoPartFile = -2;

  DownloadFiles::File file;  // opened for appending; null when closed
  int32_t position = 0;      // absolute offset of the next byte wanted
  int32_t last = 0;          // absolute offset of the part's last byte (inclusive)
  CurlEasy::Handle handle;   // reused by every attempt of this part
  std::string url;
  std::string partPath;
  int status = kPending;     // -1 pending, -2 no part file, 0 complete, >0 library code
  std::atomic<int64_t> received{0};  // bytes of this part on disk
  // Only the first range's node: the downloader's running digest of the joined file, fed with every
  // byte stored here (not owned; null for the other parts).
  PrefixDigest* digest = nullptr;

  // Per attempt: what the answer's headers said about the range it carries.
  int32_t attemptStart = 0;        // the first byte this attempt asked for
  int64_t answeredStart = -1;      // the first byte of the answer's Content-Range, -1 none
  bool rangeChecked = false;       // the answer was checked before its first byte was stored
};
