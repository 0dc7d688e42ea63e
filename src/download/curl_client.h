// CurlClient: one package transfer over libcurl for the single-stream downloader. It
// probes the address (final address after redirects, length, status), fetches the body
// into "<path>.part", resuming what an earlier attempt left there, and renames the
// partial file to the destination when the transfer succeeds.
//
// Owner: CCurlDownloader. Thread: one thread at a time (the owner's worker); every
// operation blocks on the network. Only `cancelled` may be set from another thread.
#pragma once
#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "download/curl_easy.h"
#include "download/prefix_digest.h"

class CurlClient {
 public:
  // Progress sink: (owner, average speed in bytes per second, always 0.0, percent).
  using ProgressSink = void (*)(void* owner, double speed, double unused, double percent);

  static constexpr double kMinLength = 1048576.0;  // 1 MiB: smaller packages are refused
  static constexpr int kPartFileError = -996;
  static constexpr int kNoHandle = -997;
  static constexpr int kNoLength = -998;

  CurlClient(std::wstring url, std::wstring path, void* owner, ProgressSink sink);
  // Sets cancelled and removes the partial file.
  ~CurlClient();
  CurlClient(const CurlClient&) = delete;
  CurlClient& operator=(const CurlClient&) = delete;

  // Probes when no length of at least 1 MiB is known yet, then fetches into the partial
  // file and renames it to path. 0 on success; a positive library code (or the OR of
  // failed option settings); kPartFileError, kNoHandle or kNoLength. A failed transfer
  // leaves the partial file for the next Start to resume.
  int Start();

  // libcurl's transfer-info callback (data = this client): throttled progress; 1 aborts.
  static int ProgressCallback(void* clientp, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal,
                              curl_off_t ulnow);

  // One HEAD probe that follows redirects. The handle is returned also after a failed
  // request (null only when none could be made); the caller reads and releases it.
  static CurlEasy::Handle Head(const std::string& address);
  // The handle's effective address, empty when the library has none.
  static std::string GetRealUrl(CURL* handle);
  // Length of a finished probe; -1.0 and a funnel report when the status is outside 200–399.
  static double GetDownloadFileLength(CURL* handle);
  // Own probe: the effective address, or the given one when none is known.
  static std::string GetRealUrl_Str(const std::string& address);
  // Own probe without following redirects: the length as reported (also after a bad
  // status, which is reported to the funnel); -1.0 when the request could not be set up.
  static double GetDownloadFileLength_Str(const std::string& address);

  std::wstring GetLocalPath(bool withPartSuffix) const;
  // The final address after redirects as found by the probes (empty before).
  const std::string& RealUrl() const { return realUrl; }
  // MD5 of the package the last Start stored at path, kept while it was written (the
  // bytes of a resumed partial file are read once); empty when the last Start failed or
  // the digest is unknown, so the caller reads the file instead.
  const std::string& Digest() const { return storedDigest; }
  void Cancel() { cancelled = true; }

 private:
  void Probe(const std::string& address);
  int Transfer(FILE* partFile, const std::string& partPath);
  int Progress(curl_off_t dltotal, curl_off_t dlnow);

  std::wstring url;
  std::wstring path;
  void* owner;
  CURL* handle = nullptr;  // the running transfer's handle, owned by Start
  ProgressSink sink;
  double fileLength = -1.0;
  int64_t resumeOffset = -1;
  int64_t lastProgressTime = 0;
  std::atomic<bool> cancelled{false};
  std::string realUrl;
  PrefixDigest partDigest;    // of the partial file's bytes, across attempts
  std::string storedDigest;   // of the destination after a successful Start
};
