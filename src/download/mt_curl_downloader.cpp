#include "download/mt_curl_downloader.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <climits>
#include <cstring>
#include <ctime>

#include "app/installer_config.h"
#include "utils/debug_log.h"
#include "utils/md5.h"
#include "utils/text.h"

namespace {

const wchar_t kSourceText[] = L"LibCurl";
constexpr long kConnectTimeoutSeconds = 60;
constexpr int32_t kMinLength = 256;
// libcurl's receive buffer per part and the stdio buffers behind the join's 1024-byte
// blocks: fewer callbacks and system calls per package at a few hundred KiB of memory.
constexpr long kReceiveBufferBytes = 256 * 1024;
constexpr size_t kJoinStreamBuffer = 256 * 1024;

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void LogResult(int code) { DEBUG_PRINT(L"error:%d:%ls\r\n", code, CurlEasy::ErrorText(code).c_str()); }

bool StartsWithNoCase(const char* data, size_t size, const char* prefix) {
  size_t n = std::strlen(prefix);
  if (size < n) return false;
  for (size_t i = 0; i < n; ++i) {
    char c = data[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// "Content-Range: bytes A-B/N" -> A, -1 when the line does not say.
int64_t ContentRangeStart(const char* data, size_t size) {
  const char kName[] = "content-range:";
  size_t i = sizeof(kName) - 1;
  while (i < size && (data[i] == ' ' || data[i] == '\t')) ++i;
  if (!StartsWithNoCase(data + i, size - i, "bytes")) return -1;
  i += 5;
  while (i < size && data[i] == ' ') ++i;
  int64_t value = -1;
  for (; i < size && data[i] >= '0' && data[i] <= '9'; ++i) {
    if (value > (INT64_MAX - 9) / 10) return -1;
    value = (value < 0 ? 0 : value * 10) + (data[i] - '0');
  }
  return value;
}

}  // namespace

CMTCurlDownloader::CMTCurlDownloader(StatusCallback callback_, std::wstring url_, std::wstring path_)
    : callback(std::move(callback_)), path(std::move(path_)), url(std::move(url_)) {
  DownloadFiles::Remove(Utils::ToNarrow(path, Utils::kCodePageAnsi));
  DeletePartFiles();
}

CMTCurlDownloader::~CMTCurlDownloader() {
  destroying = true;
  std::unique_ptr<Utils::Thread> current, previous;
  {
    std::lock_guard<std::mutex> lock(threadsMutex);
    current = std::move(worker);
    previous = std::move(retired);
  }
  if (current) current->Join();
  if (previous) previous->Join();
  JoinThreads();
  ReleaseParts();
}

std::string CMTCurlDownloader::PartPath(int index) const {
  return Utils::ToNarrow(path, Utils::kCodePageAnsi) + "_" + std::to_string(index);
}

void CMTCurlDownloader::Start() {
  if (destroying) return;
  std::unique_ptr<Utils::Thread> previous;
  {
    std::lock_guard<std::mutex> lock(threadsMutex);
    previous = std::move(worker);
    if (previous && workerThread == std::this_thread::get_id()) retired = std::move(previous);
  }
  if (previous) previous->Join();
  auto next = std::make_unique<Utils::Thread>(this, L"ABDEF", &CMTCurlDownloader::Start_Down);
  Utils::Thread* started = next.get();
  {
    std::lock_guard<std::mutex> lock(threadsMutex);
    worker = std::move(next);
  }
  started->Start();
}

void CMTCurlDownloader::Report(int code, double value, const std::wstring& text) {
  if (callback && !destroying) callback(code, value, text);
}

uint32_t CMTCurlDownloader::Start_Down(void* self) {
  auto* me = static_cast<CMTCurlDownloader*>(self);
  std::unique_ptr<Utils::Thread> previous;
  {
    std::lock_guard<std::mutex> lock(me->threadsMutex);
    previous = std::move(me->retired);
    me->workerThread = std::this_thread::get_id();
  }
  if (previous) previous->Join();
  // The previous round's finishing thread may still be returning from the report that
  // asked for this round; nothing of the last round may run beside this one.
  me->JoinThreads();
  if (!me->destroying) me->StartDown();
  return 0;
}

void CMTCurlDownloader::JoinThreads() {
  if (finisher.joinable()) {
    // Destroyed from inside a report of the finishing thread: it cannot wait for itself.
    if (finisher.get_id() == std::this_thread::get_id()) {
      finisher.detach();
    } else {
      finisher.join();
    }
  }
  for (std::thread& t : partThreads) {
    if (t.joinable()) t.join();
  }
  partThreads.clear();
}

void CMTCurlDownloader::StartDown() {
  Report(DL_CODE_START, 1.0, L"");
  DEBUG_PRINT(L"start download\r\n");
  const std::string destination = Utils::ToNarrow(path, Utils::kCodePageAnsi);
  const std::string address = CurlEasy::NarrowAddress(url);
  DownloadFiles::Remove(destination);
  if (lastPercent == 0.0) DeletePartFiles();
  if ((realUrl.empty() || fileLength < kMinLength) && !getRealDownloadUrl(address)) {
    Report(DL_CODE_FAIL, 0.0, kSourceText);
    return;
  }
  PlanParts();
  for (auto& node : parts) {
    if (node->status != DownloadPartNode::kPending) continue;
    ++activeWorkers;
    DownloadPartNode* n = node.get();
    try {
      partThreads.emplace_back([this, n] { downloadThreadFun(n); });
    } catch (const std::system_error&) {
      --activeWorkers;  // the part stays pending and counts as failed
      continue;
    }
    SleepMs(kPartStartGapMs);
  }
  try {
    finisher = std::thread([this] { waitForFinishThreadFun(); });
  } catch (const std::system_error&) {
    waitForFinishThreadFun();
  }
}

bool CMTCurlDownloader::getRealDownloadUrl(const std::string& address) {
  realUrl.clear();
  expectedMd5.clear();
  fileLength = 0;
  if (!InstallerConfig::Get().CurlReady) return false;
  CurlEasy::Handle h(curl_easy_init());
  if (!h) return false;
  CurlEasy::HeaderList headers;
  CurlEasy::AppendHeader(headers, "Connection: keep-alive");
  int rc = 0;
  rc |= curl_easy_setopt(h.get(), CURLOPT_HTTPHEADER, headers.get());
  rc |= curl_easy_setopt(h.get(), CURLOPT_URL, address.c_str());
  rc |= curl_easy_setopt(h.get(), CURLOPT_FOLLOWLOCATION, 1L);
  rc |= curl_easy_setopt(h.get(), CURLOPT_NOBODY, 1L);
  // TLS peer and host verification stay on (the library's defaults): the package is
  // run with administrator rights, so its origin must be the one the address names.
  rc |= curl_easy_setopt(h.get(), CURLOPT_WRITEFUNCTION, CurlEasy::DiscardBody);
  rc |= curl_easy_setopt(h.get(), CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  if (rc != 0 || curl_easy_perform(h.get()) != CURLE_OK) return false;

  char* effective = nullptr;
  if (curl_easy_getinfo(h.get(), CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective && *effective) {
    realUrl = effective;
    DEBUG_PRINT(L"Download File real url %ls\r\n", Utils::ToWide(realUrl, Utils::kCodePageUtf8).c_str());
    expectedMd5 = Utils::UrlParentSegment(realUrl);
  }
  curl_off_t length = -1;
  long status = 0;
  if (curl_easy_getinfo(h.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
      curl_easy_getinfo(h.get(), CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status <= 399) {
    // Packages of 2 GiB or more are out of range and refused like an unknown length.
    fileLength = length > INT32_MAX ? 0 : static_cast<int32_t>(length);
    DEBUG_PRINT(L"Download File Length %lld\r\n", static_cast<long long>(fileLength));
  }
  return !realUrl.empty() && fileLength >= kMinLength;
}

void CMTCurlDownloader::PlanParts() {
  int32_t count = fileLength / kPartUnit;
  if (count == 0) count = 1;
  if (count > kMaxParts) count = kMaxParts;
  const int32_t each = fileLength / count;
  for (int32_t i = 0; i < count; ++i) {
    auto node = std::make_unique<DownloadPartNode>();
    const int32_t offset = i * each;
    const int32_t bytes = each + (i == count - 1 ? fileLength % count : 0);
    node->partPath = PartPath(i);
    int64_t onDisk = DownloadFiles::SizeOf(node->partPath);
    if (onDisk < 0) onDisk = 0;
    node->received = onDisk;
    if (i == 0) {
      // A new round reads what part file 0 holds once rather than trusting a digest
      // from an earlier round.
      joinedDigest.Reset();
      joinedDigest.CatchUp(node->partPath, onDisk);
      node->digest = &joinedDigest;
    }
    node->last = offset + bytes - 1;
    node->position = onDisk > bytes ? node->last + 1 : offset + static_cast<int32_t>(onDisk);
    node->handle.reset(curl_easy_init());
    node->url = realUrl;
    if (node->position > node->last) {
      node->status = 0;
    } else {
      node->status = DownloadPartNode::kPending;
      node->file = DownloadFiles::Open(node->partPath, "ab+");
      if (!node->file) node->status = DownloadPartNode::kNoPartFile;
    }
    parts.push_back(std::move(node));
  }
}

void CMTCurlDownloader::downloadThreadFun(DownloadPartNode* node) {
  int budget = kRetryBudget;
  int result = downloadExe(node);
  while (result != 0 && budget > 0 && !destroying) {
    budget -= result == CURLE_PARTIAL_FILE ? 1 : 2;
    DEBUG_PRINT(L"CurlDownLoader Code=%d\r\n", result);
    SleepMs(kRetryPauseMs);
    result = downloadExe(node);
  }
  node->file.reset();
  --activeWorkers;
}

int CMTCurlDownloader::downloadExe(DownloadPartNode* node) {
  if (node->position > node->last) {  // every byte of the range is on disk already
    node->status = DownloadFiles::Close(node->file) || !node->file ? 0 : CURLE_WRITE_ERROR;
    return node->status;
  }
  char range[64];
  std::snprintf(range, sizeof(range), "%ld-%ld", static_cast<long>(node->position), static_cast<long>(node->last));
  node->attemptStart = node->position;
  node->answeredStart = -1;
  node->rangeChecked = false;
  CURL* h = node->handle.get();
  CurlEasy::HeaderList headers;
  CurlEasy::AppendHeader(headers, "Accept-Encoding: identity");  // parts are stored as received
  int rc = 0;
  rc |= curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  rc |= curl_easy_setopt(h, CURLOPT_URL, node->url.c_str());
  rc |= curl_easy_setopt(h, CURLOPT_TIMEOUT, 0L);
  rc |= curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  rc |= curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
  rc |= curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &CMTCurlDownloader::PartWriter);
  rc |= curl_easy_setopt(h, CURLOPT_WRITEDATA, node);
  rc |= curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &CMTCurlDownloader::PartHeader);
  rc |= curl_easy_setopt(h, CURLOPT_HEADERDATA, node);
  rc |= curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  rc |= curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &CMTCurlDownloader::PartProgress);
  rc |= curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
  rc |= curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
  rc |= curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  rc |= curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  rc |= curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, 5L);
  rc |= curl_easy_setopt(h, CURLOPT_RANGE, range);
  curl_easy_setopt(h, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);  // a hint; the default works too
  if (rc != 0) {
    node->status = rc;
    return rc;
  }
  int result = curl_easy_perform(h);
  if (result != CURLE_OK) {
    LogResult(result);
  } else {
    DEBUG_PRINT(L"curl_easy_cleanup\r\n");
    // A shorter answer than the range asked for leaves bytes missing.
    if (node->position <= node->last) result = CURLE_PARTIAL_FILE;
  }
  curl_easy_reset(h);
  if (result == CURLE_OK && !DownloadFiles::Close(node->file)) result = CURLE_WRITE_ERROR;
  node->status = result;
  return result;
}

size_t CMTCurlDownloader::PartHeader(char* data, size_t size, size_t count, void* user) {
  auto* node = static_cast<DownloadPartNode*>(user);
  const size_t n = size * count;
  if (StartsWithNoCase(data, n, "http/")) {  // a new answer (after a redirect) starts over
    node->answeredStart = -1;
    node->rangeChecked = false;
  } else if (StartsWithNoCase(data, n, "content-range:")) {
    node->answeredStart = ContentRangeStart(data, n);
  }
  return n;
}

size_t CMTCurlDownloader::PartWriter(char* data, size_t size, size_t count, void* user) {
  auto* node = static_cast<DownloadPartNode*>(user);
  const size_t n = size * count;
  if (!node->rangeChecked) {
    // Only the range asked for may reach the part file: a whole-file answer or one that
    // starts elsewhere fails the attempt before anything is stored.
    long status = 0;
    curl_easy_getinfo(node->handle.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status != 206 || node->answeredStart != node->attemptStart) {
      DEBUG_PRINT(L"part answer %ld starts at %lld, not %ld\r\n", status, static_cast<long long>(node->answeredStart),
                  static_cast<long>(node->attemptStart));
      return 0;
    }
    node->rangeChecked = true;
  }
  if (node->position > node->last || !node->file) return 0;
  size_t want = static_cast<size_t>(node->last - node->position) + 1;
  if (want > n) want = n;
  size_t wrote = std::fwrite(data, 1, want, node->file.get());
  if (node->digest) node->digest->Add(data, wrote);
  node->position += static_cast<int32_t>(wrote);
  node->received += static_cast<int64_t>(wrote);
  return wrote;
}

int CMTCurlDownloader::PartProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* me = static_cast<CMTCurlDownloader*>(self);
  if (me->destroying) return 1;  // only a downloader being destroyed aborts its parts
  return me->Progress();
}

int CMTCurlDownloader::Progress() {
  double report = -1.0;
  {
    std::lock_guard<std::mutex> lock(progressMutex);
    int64_t now = static_cast<int64_t>(std::time(nullptr));
    if (now <= lastProgressTime) return 0;
    lastProgressTime = now;
    double percent = 0.0;
    if (fileLength >= kMinLength) {
      for (const auto& node : parts) {
        int64_t r = node->received.load();
        if (r > 0) percent += static_cast<double>(r) * 100.0 / fileLength;
      }
    }
    if (percent > 100.0) return 0;
    if (percent - lastPercent >= 1.0) {
      lastPercent = percent;
      report = percent / 100.0;
    }
  }
  if (report >= 0.0) Report(DL_CODE_PROGRESS, report, L"");
  return 0;
}

void CMTCurlDownloader::waitForFinishThreadFun() {
  while (activeWorkers > 0) SleepMs(kFinishPollMs);
  for (std::thread& t : partThreads) {
    if (t.joinable()) t.join();
  }
  partThreads.clear();
  if (destroying) {
    ReleaseParts();
    return;
  }
  Finish();
}

void CMTCurlDownloader::Finish() {
  int firstError = 0;
  for (const auto& node : parts) {
    if (node->status != 0) {
      firstError = node->status;
      break;
    }
  }
  if (firstError == 0) {
    {
      std::lock_guard<std::mutex> lock(progressMutex);
      lastPercent = 0.0;
    }
    firstError = JoinParts();
  }
  if (firstError == 0) {
    const std::string destination = Utils::ToNarrow(path, Utils::kCodePageAnsi);
    if (expectedMd5.size() == 32) {
      // The digest was kept while part 0 was stored and the rest joined to it; reading
      // the file back is the fallback.
      std::string actual = joinedDigest.Bytes() == fileLength ? joinedDigest.HexDigest() : std::string();
      if (actual.empty()) actual = Utils::FileMd5(destination);
      if (actual.size() == 32 && actual != expectedMd5) {
        Report(DL_CODE_REASON, 0.0, L"mtcurl文件md5校验失败");
        DownloadFiles::Remove(destination);
        ReleaseParts();
        if (retriedOnce) {
          DEBUG_PRINT(L"finish recv, md5 chaek failed and retry failed.\r\n");
          Report(DL_CODE_FAIL, 0.0, kSourceText);
        } else {
          retriedOnce = true;
          DEBUG_PRINT(L"finish recv, md5 chaek failed retry once.\r\n");
          Report(DL_CODE_RETRY, 0.0, kSourceText);
        }
        return;
      }
    } else {
      Report(DL_CODE_REASON, 0.0, L"mtcurl获取url-md5失败");
    }
    DEBUG_PRINT(L"finish recv\r\n");
    ReleaseParts();
    Report(DL_CODE_SUCCESS, 0.0, kSourceText);
    return;
  }
  ReleaseParts();
  bool freshStart;
  {
    std::lock_guard<std::mutex> lock(progressMutex);
    freshStart = lastPercent == 0.0;
  }
  if (freshStart) DeletePartFiles();  // with progress made they stay for resuming
  if (retriedOnce) {
    {
      std::lock_guard<std::mutex> lock(progressMutex);
      lastPercent = 0.0;  // a later start begins afresh
    }
    Report(DL_CODE_FAIL, firstError, kSourceText);
  } else {
    retriedOnce = true;
    Report(DL_CODE_RETRY, firstError, kSourceText);
  }
}

int CMTCurlDownloader::JoinParts() {
  const std::string destination = Utils::ToNarrow(path, Utils::kCodePageAnsi);
  // Declared before the streams so they outlive them.
  std::vector<char> outBuffer(kJoinStreamBuffer), inBuffer(kJoinStreamBuffer);
  DownloadFiles::File out = DownloadFiles::Open(PartPath(0), "ab+");
  if (!out) return kJoinFailed;
  std::setvbuf(out.get(), outBuffer.data(), _IOFBF, outBuffer.size());
  for (size_t i = 1; i < parts.size(); ++i) {
    DownloadFiles::File in = DownloadFiles::Open(parts[i]->partPath, "rb");
    if (!in) return kJoinFailed;
    std::setvbuf(in.get(), inBuffer.data(), _IOFBF, inBuffer.size());
    char block[kJoinBlock];
    for (;;) {
      size_t got = std::fread(block, 1, sizeof(block), in.get());
      if (got > 0 && std::fwrite(block, 1, got, out.get()) != got) return kJoinIoFailed;
      joinedDigest.Add(block, got);
      if (got < sizeof(block)) break;
    }
    if (std::ferror(in.get())) return kJoinIoFailed;
    in.reset();
    DEBUG_PRINT(L"partPath::%ls\r\n", Utils::ToWide(parts[i]->partPath, Utils::kCodePageAnsi).c_str());
  }
  // A joined file of the wrong size is damaged whatever the digest says (or when the
  // address carries none).
  if (DownloadFiles::Size(out.get()) != fileLength || !DownloadFiles::Close(out)) return kJoinIoFailed;
  DownloadFiles::Remove(destination);
  if (!DownloadFiles::Rename(PartPath(0), destination)) return kJoinIoFailed;
  DeletePartFiles();
  return 0;
}

void CMTCurlDownloader::ReleaseParts() {
  for (auto& node : parts) {
    node->handle.reset();
    node->file.reset();
  }
  parts.clear();
}

void CMTCurlDownloader::DeletePartFiles() {
  DownloadFiles::Remove(PartPath(0));
  DownloadFiles::Remove(PartPath(1));
}
