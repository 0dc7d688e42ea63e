// The system downloader under wine against the package server: success with progress,
// three failed attempts with the system's HRESULT, an unknown length, escaped addresses.
#include <gtest/gtest.h>

#include <memory>

#include "download/win_downloader.h"
#include "integration/download/download_harness.h"

namespace {

using namespace DownloadHarness;
using PackageServerClient::Namespace;
DownloadHarness::GlobalCurl curlForTheProcess;  // the test's own control requests

const wchar_t kSystem[] = L"URLDownloadToFile";

struct WinRun {
  StatusRecorder rec;
  std::string dest;
  void Go(const std::wstring& address, const char* name) {
    dest = LocalPath(name);
    std::remove(dest.c_str());
    auto d = std::make_unique<CWinDownloader>(rec.Callback(), address, Wide(dest));
    d->Start();
    ASSERT_TRUE(rec.WaitForEnd()) << Describe(rec.All());
  }
};

std::string Publish(const Namespace& ns, const std::string& rel, const std::string& bytes) {
  ns.WriteFile(rel, bytes);
  return ns.Url(rel);
}

TEST(WinDownloader, FetchesWithProgress) {
  Namespace ns("win-ok");
  auto bytes = PackageServerClient::PackageBytes(3 * 1048576, 21);
  std::string url = Publish(ns, PackageServerClient::Md5Of(bytes) + "/setup.exe", bytes);
  WinRun run;
  run.Go(Wide(url), "win-ok.exe");
  EXPECT_TRUE(Matches(run.rec.Steps(), {{DL_CODE_START, 1.0}, {DL_CODE_SUCCESS, 0.0, kSystem}}))
      << Describe(run.rec.All());
  EXPECT_TRUE(ReadFile(run.dest) == bytes);
  auto progress = run.rec.Progress();
  ASSERT_FALSE(progress.empty());
  for (const auto& p : progress) {
    EXPECT_GE(p.value, 0.0);
    EXPECT_LE(p.value, 1.0);
  }
}

// Wine's URL moniker service reports success for an HTTP error page, a cut answer and a
// connection closed without an answer (it stores what arrived), so the failure it
// reports here is a connection refused: three attempts, then 1004 with the HRESULT.
TEST(WinDownloader, ThreeFailuresEndWithTheHresult) {
  WinRun run;
  run.Go(L"http://127.0.0.1:9/files/setup.exe", "win-fail.exe");
  auto steps = run.rec.Steps();
  ASSERT_EQ(steps.size(), 2u) << Describe(run.rec.All());
  EXPECT_EQ(steps[0].code, DL_CODE_START);
  EXPECT_EQ(steps[1].code, DL_CODE_FAIL);
  EXPECT_EQ(steps[1].text, kSystem);
  EXPECT_LT(steps[1].value, 0.0) << "a failure HRESULT as a signed number";
  EXPECT_EQ(steps[1].value, static_cast<double>(static_cast<int32_t>(steps[1].value)));
  EXPECT_TRUE(run.rec.Progress().empty());
}

TEST(WinDownloader, UnknownLengthGivesNoProgressButSucceeds) {
  Namespace ns("win-nolength");
  auto bytes = PackageServerClient::PackageBytes(2 * 1048576, 22);
  std::string url = Publish(ns, "files/setup.exe", bytes);
  ns.Script(R"([{"method": "GET", "no_length": true}])");
  WinRun run;
  run.Go(Wide(url), "win-nolength.exe");
  EXPECT_TRUE(Matches(run.rec.Steps(), {{DL_CODE_START, 1.0}, {DL_CODE_SUCCESS, 0.0, kSystem}}))
      << Describe(run.rec.All());
  EXPECT_TRUE(run.rec.Progress().empty());
  EXPECT_TRUE(ReadFile(run.dest) == bytes);
}

TEST(WinDownloader, AddressIsEscapedExceptLocalFiles) {
  EXPECT_EQ(CWinDownloader::SystemAddress(L"http://h/a b\u4e2d.exe"), L"http://h/a+b%E4%B8%AD.exe");
  EXPECT_EQ(CWinDownloader::SystemAddress(L"file:///C:/a b/\u4e2d.exe"), L"file:///C:/a b/\u4e2d.exe");

  Namespace ns("win-escape");
  auto bytes = PackageServerClient::PackageBytes(1048576, 23);
  ns.WriteFile("pkg/setup.exe", bytes);
  ns.Script(R"([{"method": "GET", "serve": "pkg/setup.exe"}])");
  WinRun run;
  run.Go(Wide(ns.Url("my pkg")) + L"\u4e2d.exe", "win-escape.exe");
  EXPECT_TRUE(Matches(run.rec.Steps(), {{DL_CODE_START, 1.0}, {DL_CODE_SUCCESS, 0.0, kSystem}}))
      << Describe(run.rec.All());
  auto gets = ns.Log("GET");
  ASSERT_FALSE(gets.empty());
  EXPECT_EQ(gets[0].path, ns.Path("my+pkg%E4%B8%AD.exe"));
  EXPECT_TRUE(ReadFile(run.dest) == bytes);
}

}  // namespace
