// The multi-part downloader against every row of the fault matrix.
#include <gtest/gtest.h>

#include <memory>

#include "download/mt_curl_downloader.h"
#include "integration/download/fault_matrix.h"

namespace {

using namespace DownloadHarness;
DownloadHarness::GlobalCurl curlForTheProcess;

class MTCurlDownloaderFaults : public ::testing::TestWithParam<FaultMatrix::Case> {};

TEST_P(MTCurlDownloaderFaults, EndsInExactPackageOrListedFailure) {
  const FaultMatrix::Case& c = GetParam();
  PackageServerClient::Namespace ns(std::string("multi-") + c.name);
  ASSERT_NE(ns.Port(), 0);
  FaultMatrix::Prepared p = FaultMatrix::Prepare(c, ns);
  const std::string dest = LocalPath(std::string("multi-") + c.name + ".exe");
  std::remove(dest.c_str());

  StatusRecorder rec;
  auto d = std::make_unique<CMTCurlDownloader>(rec.Callback(), Wide(p.address), Wide(dest));
  rec.OnRetry([&d] { d->Start(); });
  d->Start();
  ASSERT_TRUE(rec.WaitForEnd()) << Describe(rec.All());
  d.reset();  // waits for the worker

  EXPECT_TRUE(Matches(rec.Steps(), c.multi)) << "got  " << Describe(rec.Steps()) << "\nwant " << Describe(c.multi);
  EXPECT_EQ(rec.Overlaps(), 0);
  if (rec.Steps().back().code == DL_CODE_SUCCESS) {
    std::string got = ReadFile(dest);
    EXPECT_EQ(got.size(), p.bytes.size());
    EXPECT_TRUE(got == p.bytes) << "package differs";
  }
  if (rec.Steps().back().code == DL_CODE_SUCCESS) {
    EXPECT_FALSE(FileExists(dest + "_0"));
    EXPECT_FALSE(FileExists(dest + "_1"));
  } else {
    EXPECT_FALSE(FileExists(dest)) << "a failed download leaves no package";
  }
  if (c.multiRanges != FaultMatrix::kAnyRanges) {
    EXPECT_EQ(FaultMatrix::SortedGetRanges(ns), c.multiRanges);
  }
  for (const auto& r : ns.Log()) {
    EXPECT_EQ(r.userAgent, "-") << r.method << " " << r.path;
    if (r.method == "GET") {
      EXPECT_EQ(r.acceptEncoding, "identity");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Matrix, MTCurlDownloaderFaults, ::testing::ValuesIn(FaultMatrix::Cases()),
                         [](const ::testing::TestParamInfo<FaultMatrix::Case>& info) { return info.param.name; });

}  // namespace
