#include "download/curl_client.h"

#include <cwchar>
#include <ctime>

#include "download/funnel_hook.h"
#include "download/stdio_file.h"
#include "utils/debug_log.h"
#include "utils/text.h"

namespace {

constexpr long kConnectTimeoutSeconds = 60;

// A size probe whose status is not a success is a funnel step of its own.
void ReportProbeStatus(long status) {
  wchar_t reason[200];
  std::swprintf(reason, sizeof(reason) / sizeof(reason[0]), L"1.获取文件大小的状态码为=%ld；", status);
  DownloadFunnel::ReportFunnelStep({{L"AB", L"IN"}}, L"下载失败原因", reason, 0.0f);
}

// The options shared by the probes: HEAD, body dropped, 60 s to connect; the library's
// TLS defaults (peer and host verification on) stay in force.
int SetProbeOptions(CURL* h, const std::string& address, bool followRedirects) {
  int rc = 0;
  rc |= curl_easy_setopt(h, CURLOPT_URL, address.c_str());
  if (followRedirects) {
    rc |= curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  } else {
    rc |= curl_easy_setopt(h, CURLOPT_HEADER, 1L);
  }
  rc |= curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
  rc |= curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, CurlEasy::DiscardBody);
  rc |= curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  return rc;
}

void LogResult(int code) {
  DEBUG_PRINT(L"error:%d:%ls\r\n", code, CurlEasy::ErrorText(code).c_str());
}

// libcurl's own receive buffer: larger blocks mean fewer callbacks and writes per
// package; a few hundred KiB keep the memory small.
constexpr long kReceiveBufferBytes = 256 * 1024;

struct PartSink {
  FILE* file;
  PrefixDigest* digest;
};

// Stores a block and hashes exactly the bytes the stream took.
size_t WriteToFile(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<PartSink*>(user);
  size_t items = std::fwrite(data, size, count, sink->file);
  sink->digest->Add(data, items * size);
  return items;
}

}  // namespace

CurlClient::CurlClient(std::wstring url_, std::wstring path_, void* owner_, ProgressSink sink_)
    : url(std::move(url_)), path(std::move(path_)), owner(owner_), sink(sink_) {}

CurlClient::~CurlClient() {
  cancelled = true;
  DownloadFiles::Remove(Utils::ToNarrow(GetLocalPath(true), Utils::kCodePageAnsi));
}

std::wstring CurlClient::GetLocalPath(bool withPartSuffix) const {
  return withPartSuffix ? path + L".part" : path;
}

CurlEasy::Handle CurlClient::Head(const std::string& address) {
  CurlEasy::Handle h(curl_easy_init());
  if (!h) return h;
  int rc = SetProbeOptions(h.get(), address, true);
  if (rc == 0) {
    rc = curl_easy_perform(h.get());
    if (rc != 0) LogResult(rc);
  }
  LogResult(rc);
  return h;
}

std::string CurlClient::GetRealUrl(CURL* h) {
  char* effective = nullptr;
  if (!h || curl_easy_getinfo(h, CURLINFO_EFFECTIVE_URL, &effective) != CURLE_OK || !effective) return {};
  return effective;
}

double CurlClient::GetDownloadFileLength(CURL* h) {
  if (!h) return -1.0;
  curl_off_t length = -1;
  int rc = curl_easy_getinfo(h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  LogResult(rc);
  long status = 0;
  if (curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status <= 399)
    return rc == CURLE_OK ? static_cast<double>(length) : -1.0;
  ReportProbeStatus(status);
  return -1.0;
}

std::string CurlClient::GetRealUrl_Str(const std::string& address) {
  std::string effective;
  CurlEasy::Handle h(curl_easy_init());
  if (h && SetProbeOptions(h.get(), address, true) == 0) {
    int rc = curl_easy_perform(h.get());
    if (rc != CURLE_OK) {
      LogResult(rc);
    } else {
      effective = GetRealUrl(h.get());
    }
  }
  return effective.empty() ? address : effective;
}

double CurlClient::GetDownloadFileLength_Str(const std::string& address) {
  CurlEasy::Handle h(curl_easy_init());
  if (!h) return -1.0;
  int setup = SetProbeOptions(h.get(), address, false);
  if (setup != 0) {
    LogResult(setup);
    return -1.0;
  }
  curl_easy_perform(h.get());  // a failed request shows as an unknown length and status 0
  curl_off_t length = -1;
  if (curl_easy_getinfo(h.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) length = -1;
  long status = 0;
  int rc = curl_easy_getinfo(h.get(), CURLINFO_RESPONSE_CODE, &status);
  if (rc != CURLE_OK || status < 200 || status > 400) ReportProbeStatus(status);
  LogResult(rc);
  return static_cast<double>(length);
}

void CurlClient::Probe(const std::string& address) {
  if (realUrl.empty() || fileLength < kMinLength) {
    CurlEasy::Handle h = Head(address);
    realUrl = GetRealUrl(h.get());
    fileLength = GetDownloadFileLength(h.get());
  }
  if (realUrl.empty() || fileLength < kMinLength) {
    realUrl = GetRealUrl_Str(address);
    if (!realUrl.empty()) fileLength = GetDownloadFileLength_Str(realUrl);
  }
}

int CurlClient::Start() {
  DEBUG_PRINT(L"start download\r\n");
  storedDigest.clear();
  const std::string partPath = Utils::ToNarrow(GetLocalPath(true), Utils::kCodePageAnsi);
  const std::string destPath = Utils::ToNarrow(path, Utils::kCodePageAnsi);
  Probe(CurlEasy::NarrowAddress(url));

  int result = kNoLength;
  if (fileLength >= kMinLength) {
    CurlEasy::Handle h(curl_easy_init());
    if (!h) {
      result = kNoHandle;
    } else {
      DownloadFiles::File part = DownloadFiles::Open(partPath, "ab+");
      if (!part) {
        result = kPartFileError;
      } else {
        handle = h.get();
        result = Transfer(part.get(), partPath);
        handle = nullptr;
        // A partial file whose last bytes never reached the disk is not a package.
        if (!DownloadFiles::Close(part) && result == 0) result = CURLE_WRITE_ERROR;
      }
    }
  }
  LogResult(result);
  if (result == 0) {
    DownloadFiles::Remove(destPath);
    if (!DownloadFiles::Rename(partPath, destPath)) result = CURLE_WRITE_ERROR;
  }
  if (result == 0 && static_cast<double>(partDigest.Bytes()) == fileLength) storedDigest = partDigest.HexDigest();
  DEBUG_PRINT(L"end download\r\n");
  return result;
}

int CurlClient::Transfer(FILE* partFile, const std::string& partPath) {
  CURL* h = handle;
  CurlEasy::HeaderList headers;
  CurlEasy::AppendHeader(headers, "Connection: keep-alive");
  // The body is stored as received, so only the identity encoding may be accepted: a
  // compressed answer would leave a corrupt package.
  CurlEasy::AppendHeader(headers, "Accept-Encoding: identity");
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(h, CURLOPT_TCP_KEEPALIVE, 1L);
  curl_easy_setopt(h, CURLOPT_TCP_KEEPIDLE, 10L);
  curl_easy_setopt(h, CURLOPT_TCP_KEEPINTVL, 10L);
  curl_easy_setopt(h, CURLOPT_TIMEOUT, 0L);
  curl_easy_setopt(h, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
  resumeOffset = DownloadFiles::Size(partFile);
  partDigest.CatchUp(partPath, resumeOffset);
  PartSink store{partFile, &partDigest};
  int rc = 0;
  rc |= curl_easy_setopt(h, CURLOPT_URL, realUrl.c_str());
  rc |= curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  rc |= curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, WriteToFile);
  rc |= curl_easy_setopt(h, CURLOPT_WRITEDATA, &store);
  rc |= curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  rc |= curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &CurlClient::ProgressCallback);
  rc |= curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
  rc |= curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
  rc |= curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  if (resumeOffset > 0) rc |= curl_easy_setopt(h, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(resumeOffset));
  if (rc == 0) rc = curl_easy_perform(h);
  // An answer shorter than the probed length ends "successfully" with bytes missing;
  // it is a partial transfer, and the next attempt resumes from where it stopped.
  if (rc == CURLE_OK && static_cast<double>(DownloadFiles::Size(partFile)) != fileLength) rc = CURLE_PARTIAL_FILE;
  return rc;
}

int CurlClient::ProgressCallback(void* clientp, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t) {
  return static_cast<CurlClient*>(clientp)->Progress(dltotal, dlnow);
}

int CurlClient::Progress(curl_off_t dltotal, curl_off_t dlnow) {
  if (cancelled) return 1;
  int64_t now = static_cast<int64_t>(std::time(nullptr));
  if (now <= lastProgressTime) return 0;
  lastProgressTime = now;
  curl_off_t speedBytes = 0;
  double speed = 0.0;
  if (handle && curl_easy_getinfo(handle, CURLINFO_SPEED_DOWNLOAD_T, &speedBytes) == CURLE_OK)
    speed = static_cast<double>(speedBytes);
  double percent;
  if (fileLength > kMinLength) {
    percent = (static_cast<double>(dlnow) + static_cast<double>(resumeOffset)) / fileLength * 100.0;
  } else {
    if (dlnow <= 0 || dltotal <= 0) return 0;
    percent = static_cast<double>(dlnow) * 100.0 / static_cast<double>(dltotal);
  }
  if (percent == 0.0) return 0;
  if (sink) sink(owner, speed, 0.0, percent);
  if (dltotal != 0) {
    DEBUG_PRINT(L" %dM %dM   progress:%f%%  speed:%f \n", static_cast<int>(dlnow / 1048576),
                static_cast<int>(dltotal / 1048576), static_cast<double>(static_cast<float>(percent)),
                static_cast<double>(static_cast<float>(speed / 1024.0)));
  }
  return 0;
}
