// The fault matrix both curl downloaders run against the package server: one scripted
// misbehaviour per row, and for each downloader the reports it must end with (progress
// left out) and the ranges its GET requests must have asked for. Every row ends either
// in 1003 with a byte-exact package or in the listed failure, never in between.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "integration/download/download_harness.h"

namespace FaultMatrix {

using DownloadHarness::Step;

// Where the package lies and which address the downloader is given.
enum class Layout {
  kDigestFolder,  // /<ns>/<md5>/setup.exe
  kWrongDigest,   // /<ns>/<another md5>/setup.exe
  kNoDigest,      // /<ns>/files/setup.exe
  kRedirect,      // /<ns>/latest redirects to /<ns>/<md5>/setup.exe
  kMissing,       // nothing there: every request is answered 404
};

struct Case {
  const char* name;
  int64_t size;
  Layout layout;
  const char* rules;  // JSON array; "@PKG@" stands for the package's path
  std::vector<Step> single;
  std::vector<Step> multi;
  // First bytes asked for by the GET requests, sorted (-1: no Range); empty: no GET at
  // all; kAnyRanges: not checked.
  std::vector<int64_t> singleRanges;
  std::vector<int64_t> multiRanges;
};

constexpr int64_t kMiB = 1048576;
const std::vector<int64_t> kAnyRanges = {-9};
constexpr int kStart = DL_CODE_START, kOk = DL_CODE_SUCCESS, kFail = DL_CODE_FAIL, kRetry = DL_CODE_RETRY,
              kReason = DL_CODE_REASON;
const wchar_t kCurl[] = L"LibCurl";

inline const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"cut_three_times_then_complete", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "count": 3, "cut_after": 700000}])",
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {-1, 700000, 1400000, 2100000},
       {0, 700000, 1400000, 2100000}},
      {"cut_both_parts_once", 25 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "count": 2, "cut_after": 3000000}])",
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {-1, 3000000, 6000000},
       {0, 3000000, 13107200, 16107200}},
      {"two_errors_then_complete", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "count": 2, "status": 503}])",
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {-1, -1, -1},
       {0, 0, 0}},
      {"errors_until_budget_spent", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "status": 500}])",
       {{kStart, 1.0}, {kFail, 22.0, kCurl}},
       {{kStart, 1.0}, {kRetry, 22.0, kCurl}, {kStart, 1.0}, {kFail, 22.0, kCurl}},
       std::vector<int64_t>(6, -1),
       std::vector<int64_t>(14, 0)},
      {"probe_keeps_failing", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "HEAD", "status": 500}])",
       {{kStart, 1.0}, {kFail, -998.0, kCurl}},
       {{kStart, 1.0}, {kFail, 0.0, kCurl}},
       {}, {}},
      {"not_found", 3 * kMiB, Layout::kMissing, "[]",
       {{kStart, 1.0}, {kFail, -998.0, kCurl}},
       {{kStart, 1.0}, {kFail, 0.0, kCurl}},
       {}, {}},
      {"just_under_one_mib", kMiB - 1, Layout::kDigestFolder, "[]",
       {{kStart, 1.0}, {kFail, -998.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {}, {0}},
      {"length_255", 255, Layout::kDigestFolder, "[]",
       {{kStart, 1.0}, {kFail, -998.0, kCurl}},
       {{kStart, 1.0}, {kFail, 0.0, kCurl}},
       {}, {}},
      {"length_256", 256, Layout::kDigestFolder, "[]",
       {{kStart, 1.0}, {kFail, -998.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {}, {0}},
      {"redirect_to_digest_folder", 3 * kMiB, Layout::kRedirect, "[]",
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {-1}, {0}},
      {"wrong_digest_twice", 3 * kMiB, Layout::kWrongDigest, "[]",
       {{kStart, 1.0}, {kReason, 0.0, L"curl文件md5校验失败"}, {kRetry, 0.0, kCurl},
        {kStart, 1.0}, {kReason, 0.0, L"curl文件md5校验失败"}, {kFail, 0.0, kCurl}},
       {{kStart, 1.0}, {kReason, 0.0, L"mtcurl文件md5校验失败"}, {kRetry, 0.0, kCurl},
        {kStart, 1.0}, {kReason, 0.0, L"mtcurl文件md5校验失败"}, {kFail, 0.0, kCurl}},
       {-1, -1}, {0, 0}},
      {"wrong_digest_once", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "count": 1, "corrupt": true}])",
       {{kStart, 1.0}, {kReason, 0.0, L"curl文件md5校验失败"}, {kRetry, 0.0, kCurl}, {kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kReason, 0.0, L"mtcurl文件md5校验失败"}, {kRetry, 0.0, kCurl}, {kStart, 1.0}, {kOk, 0.0, kCurl}},
       {-1, -1}, {0, 0}},
      {"no_digest_in_address", 3 * kMiB, Layout::kNoDigest, "[]",
       {{kStart, 1.0}, {kReason, 0.0, L"curl获取url-md5失败"}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kReason, 0.0, L"mtcurl获取url-md5失败"}, {kOk, 0.0, kCurl}},
       {-1}, {0}},
      // A resumed single stream that gets the whole file again refuses it (33); a part
      // never stores bytes of a range it did not ask for (23).
      {"ignores_range", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "count": 1, "cut_after": 1000000}, {"method": "GET", "ignore_range": true}])",
       {{kStart, 1.0}, {kFail, 33.0, kCurl}},
       {{kStart, 1.0}, {kRetry, 23.0, kCurl}, {kStart, 1.0}, {kFail, 23.0, kCurl}},
       {-1, 1000000, 1000000, 1000000, 1000000, 1000000, 1000000}, kAnyRanges},
      {"content_range_starts_elsewhere", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "bad_range_start": true}])",
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kRetry, 23.0, kCurl}, {kStart, 1.0}, {kFail, 23.0, kCurl}},
       {-1}, std::vector<int64_t>(14, 0)},
      {"short_answer_once", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "count": 1, "length": 1000000}])",
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {-1, 1000000}, {0, 1000000}},
      // The single stream has no low-speed limit: it waits until the server gives up
      // after 7 s; a part gives up after 5 s of silence itself.
      {"stall_once", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "count": 1, "stall_after": 0, "stall_seconds": 7}])",
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {-1, -1}, {0, 0}},
      {"gzip_when_asked", 3 * kMiB, Layout::kDigestFolder,
       R"([{"method": "GET", "gzip": true}])",
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {{kStart, 1.0}, {kOk, 0.0, kCurl}},
       {-1}, {0}},
  };
  return cases;
}

// Puts the package (or nothing) on the server and scripts its faults; returns the
// address to download and the bytes the download must produce.
struct Prepared {
  std::string address;
  std::string bytes;
};

inline std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

inline Prepared Prepare(const Case& c, const PackageServerClient::Namespace& ns) {
  Prepared p;
  p.bytes = PackageServerClient::PackageBytes(static_cast<size_t>(c.size), static_cast<uint32_t>(c.size));
  const std::string digest = PackageServerClient::Md5Of(p.bytes);
  std::string rel = digest + "/setup.exe";
  if (c.layout == Layout::kWrongDigest) rel = "0123456789abcdef0123456789abcdef/setup.exe";
  if (c.layout == Layout::kNoDigest) rel = "files/setup.exe";
  if (c.layout != Layout::kMissing) ns.WriteFile(rel, p.bytes);
  std::string rules = Replace(c.rules, "@PKG@", ns.Path(rel));
  p.address = ns.Url(rel);
  if (c.layout == Layout::kRedirect) {
    std::string redirect = R"({"path": ")" + ns.Path("latest") + R"(", "redirect": ")" + ns.Path(rel) + R"("})";
    rules = rules == "[]" ? "[" + redirect + "]" : "[" + redirect + ", " + rules.substr(1);
    p.address = ns.Url("latest");
  }
  ns.Script(rules);
  return p;
}

inline std::vector<int64_t> SortedGetRanges(const PackageServerClient::Namespace& ns) {
  std::vector<int64_t> starts;
  for (const auto& r : ns.Log("GET")) starts.push_back(r.RangeStart());
  std::sort(starts.begin(), starts.end());
  return starts;
}

}  // namespace FaultMatrix
