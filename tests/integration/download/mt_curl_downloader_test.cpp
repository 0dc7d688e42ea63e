// The multi-part downloader's own rules: how it splits a package into ranges, what it
// does with part files left by a failed round, stalled parts, single-byte ranges and
// how often it reports progress.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "app/installer_config.h"
#include "download/mt_curl_downloader.h"
#include "integration/download/download_harness.h"

namespace {

using namespace DownloadHarness;
using PackageServerClient::Namespace;
DownloadHarness::GlobalCurl curlForTheProcess;

constexpr int64_t kMiB = 1048576;

struct MtRun {
  StatusRecorder rec;
  std::unique_ptr<CMTCurlDownloader> d;
  std::string dest;
  std::string bytes;
  std::chrono::steady_clock::duration took{};

  // Puts a package of `size` bytes in the digest folder, scripts `rules` and runs the
  // downloader to its end, restarting it on 1005 as the orchestrator does.
  void Go(const Namespace& ns, int64_t size, const std::string& rules, const char* name) {
    bytes = PackageServerClient::PackageBytes(static_cast<size_t>(size), 7);
    const std::string rel = PackageServerClient::Md5Of(bytes) + "/setup.exe";
    ns.WriteFile(rel, bytes);
    ASSERT_TRUE(ns.Script(rules));
    dest = LocalPath(name);
    d = std::make_unique<CMTCurlDownloader>(rec.Callback(), Wide(ns.Url(rel)), Wide(dest));
    rec.OnRetry([this] { d->Start(); });
    auto began = std::chrono::steady_clock::now();
    d->Start();
    ASSERT_TRUE(rec.WaitForEnd()) << Describe(rec.All());
    took = std::chrono::steady_clock::now() - began;
    d.reset();
  }
  bool Succeeded() const {
    auto steps = rec.Steps();
    return !steps.empty() && steps.back().code == DL_CODE_SUCCESS && ReadFile(dest) == bytes;
  }
};

std::vector<std::string> GetRanges(const Namespace& ns) {
  std::vector<std::string> out;
  for (const auto& r : ns.Log("GET")) out.push_back(r.range);
  return out;
}

TEST(MTCurlDownloaderPlan, RangesForFifteenAndTwentyFiveMiB) {
  struct Case {
    const char* name;
    int64_t size;
    std::vector<std::string> ranges;
  };
  const Case cases[] = {
      {"plan-15", 15 * kMiB, {"bytes=0-15728639"}},
      {"plan-25", 25 * kMiB, {"bytes=0-13107199", "bytes=13107200-26214399"}},
      {"plan-45", 45 * kMiB, {"bytes=0-23592959", "bytes=23592960-47185919"}},
  };
  for (const Case& c : cases) {
    Namespace ns(c.name);
    MtRun run;
    run.Go(ns, c.size, "[]", c.name);
    EXPECT_TRUE(run.Succeeded()) << c.name << ": " << Describe(run.rec.All());
    EXPECT_EQ(GetRanges(ns), c.ranges) << c.name;
    EXPECT_EQ(ns.Log("HEAD").size(), 1u) << c.name << ": one probe";
    EXPECT_FALSE(FileExists(run.dest + "_0"));
    EXPECT_FALSE(FileExists(run.dest + "_1"));
  }
}

TEST(MTCurlDownloaderPlan, PartFileNamesAndDeletionAtConstruction) {
  const std::string dest = LocalPath("names.exe");
  WriteLocal(dest, "old package");
  WriteLocal(dest + "_0", "left over");
  WriteLocal(dest + "_1", "left over");
  StatusRecorder rec;
  CMTCurlDownloader d(rec.Callback(), L"http://127.0.0.1:1/x/setup.exe", Wide(dest));
  EXPECT_EQ(d.PartPath(0), dest + "_0");
  EXPECT_EQ(d.PartPath(1), dest + "_1");
  EXPECT_FALSE(FileExists(dest));
  EXPECT_FALSE(FileExists(dest + "_0"));
  EXPECT_FALSE(FileExists(dest + "_1"));
}

// Part 0 fails the whole first round while part 1 completes (slowly enough for progress
// to be counted): the second round asks only for part 0 and keeps part 1's file.
TEST(MTCurlDownloaderRetry, CompletePartFileIsNotRequestedAgain) {
  Namespace ns("complete-part");
  MtRun run;
  run.Go(ns, 25 * kMiB,
         R"([{"method": "GET", "range_start": 0, "count": 7, "status": 500},
             {"method": "GET", "range_start": 13107200, "rate": 6000000}])",
         "complete-part.exe");
  EXPECT_TRUE(run.Succeeded()) << Describe(run.rec.All());
  auto steps = run.rec.Steps();
  ASSERT_GE(steps.size(), 2u);
  EXPECT_EQ(steps[1].code, DL_CODE_RETRY);
  EXPECT_EQ(steps[1].value, 22.0);
  int part1 = 0, part0 = 0;
  for (const auto& r : ns.Log("GET")) {
    if (r.RangeStart() == 13107200) ++part1;
    if (r.RangeStart() == 0) ++part0;
  }
  EXPECT_EQ(part1, 1) << "part 1 was complete on disk after the first round";
  EXPECT_EQ(part0, 8);
}

// A round that made progress leaves its part files; the next round resumes from them.
TEST(MTCurlDownloaderRetry, ResumesAfterProgress) {
  Namespace ns("resume-progress");
  MtRun run;
  run.Go(ns, 15 * kMiB,
         R"([{"method": "GET", "count": 1, "cut_after": 6291456, "rate": 4000000},
             {"method": "GET", "count": 7, "status": 500}])",
         "resume-progress.exe");
  EXPECT_TRUE(run.Succeeded()) << Describe(run.rec.All());
  auto gets = ns.Log("GET");
  ASSERT_EQ(gets.size(), 9u);
  EXPECT_EQ(gets[0].range, "bytes=0-15728639");
  for (size_t i = 1; i < gets.size(); ++i) EXPECT_EQ(gets[i].range, "bytes=6291456-15728639") << i;
  EXPECT_EQ(run.rec.Steps()[1].code, DL_CODE_RETRY);
}

// Without progress (under one point) the part files are deleted and the next round
// starts at byte 0.
TEST(MTCurlDownloaderRetry, StartsAfreshAfterNoProgress) {
  Namespace ns("fresh-start");
  MtRun run;
  run.Go(ns, 15 * kMiB,
         R"([{"method": "GET", "count": 1, "cut_after": 100000},
             {"method": "GET", "count": 7, "status": 500}])",
         "fresh-start.exe");
  EXPECT_TRUE(run.Succeeded()) << Describe(run.rec.All());
  auto gets = ns.Log("GET");
  ASSERT_EQ(gets.size(), 9u);
  EXPECT_EQ(gets[1].range, "bytes=100000-15728639") << "within a round a part resumes";
  EXPECT_EQ(gets[8].range, "bytes=0-15728639") << "a new round without progress starts over";
  for (const Status& s : run.rec.All()) {
    if (s.code == DL_CODE_RETRY) break;
    EXPECT_NE(s.code, DL_CODE_PROGRESS) << "the first round made under one point of progress";
  }
}

// The digest is kept while parts are stored and joined; bytes a part file held before a
// round began are read again, so a part file changed between rounds is still caught.
TEST(MTCurlDownloaderRetry, PartFileChangedBetweenRoundsFailsTheDigest) {
  struct Case {
    const char* name;
    int64_t size;
    const char* rules;  // a first round that fails after progress, leaving part files
    int damaged;        // the part file changed before the second round
  };
  const Case cases[] = {
      {"damaged-part-0", 15 * kMiB,
       R"([{"method": "GET", "count": 1, "cut_after": 6291456, "rate": 4000000},
           {"method": "GET", "count": 7, "status": 500}])",
       0},
      {"damaged-part-1", 25 * kMiB,
       R"([{"method": "GET", "range_start": 0, "count": 7, "status": 500},
           {"method": "GET", "range_start": 13107200, "rate": 6000000}])",
       1},
  };
  for (const Case& c : cases) {
    Namespace ns(c.name);
    const std::string bytes = PackageServerClient::PackageBytes(static_cast<size_t>(c.size), 9);
    const std::string rel = PackageServerClient::Md5Of(bytes) + "/setup.exe";
    ns.WriteFile(rel, bytes);
    ASSERT_TRUE(ns.Script(c.rules));
    const std::string dest = LocalPath(std::string(c.name) + ".exe");
    const std::string damaged = dest + "_" + std::to_string(c.damaged);
    StatusRecorder rec;
    CMTCurlDownloader d(rec.Callback(), Wide(ns.Url(rel)), Wide(dest));
    rec.OnRetry([&] {
      std::string held = ReadFile(damaged);
      ASSERT_GT(held.size(), 1000u) << c.name << ": the first round left bytes to resume from";
      held[1000] ^= 0x01;  // same size: only the content tells
      WriteLocal(damaged, held);
      d.Start();
    });
    d.Start();
    ASSERT_TRUE(rec.WaitForEnd()) << c.name << ": " << Describe(rec.All());
    const std::vector<Step> want = {{DL_CODE_START, 1.0},  {DL_CODE_RETRY, 22.0},
                                    {DL_CODE_START, 1.0},  {DL_CODE_REASON, 0.0, L"mtcurl文件md5校验失败"},
                                    {DL_CODE_FAIL, 0.0, L"LibCurl"}};
    EXPECT_TRUE(Matches(rec.Steps(), want)) << c.name << ": " << Describe(rec.Steps());
    EXPECT_FALSE(FileExists(dest)) << c.name << ": a package that fails its digest is deleted";
  }
}

TEST(MTCurlDownloaderRetry, OneByteRemainingRange) {
  Namespace ns("one-byte");
  MtRun run;
  run.Go(ns, 15 * kMiB, R"([{"method": "GET", "count": 1, "cut_after": 15728639}])", "one-byte.exe");
  EXPECT_TRUE(run.Succeeded()) << Describe(run.rec.All());
  auto gets = ns.Log("GET");
  ASSERT_EQ(gets.size(), 2u);
  EXPECT_EQ(gets[1].range, "bytes=15728639-15728639");
  EXPECT_EQ(gets[1].status, 206);
}

// A part that receives nothing is abandoned after about 5 s, long before the server
// would end the connection (30 s), and resumed.
TEST(MTCurlDownloaderRetry, StalledPartIsAbandoned) {
  Namespace ns("stalled-part");
  MtRun run;
  run.Go(ns, 3 * kMiB, R"([{"method": "GET", "count": 1, "stall_after": 0, "stall_seconds": 30}])",
         "stalled-part.exe");
  EXPECT_TRUE(run.Succeeded()) << Describe(run.rec.All());
  EXPECT_EQ(ns.Log("GET").size(), 2u);
  EXPECT_LT(run.took, std::chrono::seconds(20));
}

TEST(MTCurlDownloaderProgress, OncePerSecondInStepsOfOnePoint) {
  Namespace ns("mt-progress");
  MtRun run;
  run.Go(ns, 25 * kMiB, R"([{"method": "GET", "rate": 3000000}])", "mt-progress.exe");
  EXPECT_TRUE(run.Succeeded()) << Describe(run.rec.All());
  auto progress = run.rec.Progress();
  EXPECT_GE(progress.size(), 2u) << "about four seconds of transfer";
  ExpectThrottledProgress(progress, true);
}

TEST(MTCurlDownloaderProgress, NothingBelow256Bytes) {
  Namespace ns("mt-tiny");
  MtRun run;
  run.Go(ns, 200, "[]", "mt-tiny.exe");
  EXPECT_TRUE(Matches(run.rec.Steps(), {{DL_CODE_START, 1.0}, {DL_CODE_FAIL, 0.0, L"LibCurl"}}))
      << Describe(run.rec.All());
  EXPECT_TRUE(run.rec.Progress().empty());
  EXPECT_TRUE(ns.Log("GET").empty());
}

TEST(MTCurlDownloaderProbe, RefusedWhenTheLibraryIsNotReady) {
  Namespace ns("not-ready");
  InstallerConfig::Get().CurlReady = false;
  MtRun run;
  run.Go(ns, 3 * kMiB, "[]", "not-ready.exe");
  InstallerConfig::Get().CurlReady = true;
  EXPECT_TRUE(Matches(run.rec.Steps(), {{DL_CODE_START, 1.0}, {DL_CODE_FAIL, 0.0, L"LibCurl"}}))
      << Describe(run.rec.All());
  EXPECT_TRUE(ns.Log().empty());
}

// Destroying the downloader in the middle of a slow transfer aborts it, waits for every
// thread and reports nothing more.
TEST(MTCurlDownloaderLifetime, DestroyedWhileTransferring) {
  Namespace ns("destroyed");
  auto bytes = PackageServerClient::PackageBytes(25 * kMiB, 9);
  const std::string rel = PackageServerClient::Md5Of(bytes) + "/setup.exe";
  ns.WriteFile(rel, bytes);
  ASSERT_TRUE(ns.Script(R"([{"method": "GET", "rate": 1000000}])"));
  StatusRecorder rec;
  auto d = std::make_unique<CMTCurlDownloader>(rec.Callback(), Wide(ns.Url(rel)), Wide(LocalPath("destroyed.exe")));
  d->Start();
  for (int i = 0; i < 100 && ns.Log("GET").size() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  auto began = std::chrono::steady_clock::now();
  d.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(10));
  for (const auto& s : rec.Steps()) EXPECT_EQ(s.code, DL_CODE_START);
}

}  // namespace
