// CurlClient on its own: the two probes and their funnel reports, resuming a partial
// file, replacing the destination only on success, progress throttling, local files.
#include <gtest/gtest.h>

#include <mutex>

#include "download/curl_client.h"
#include "download/funnel_hook.h"
#include "integration/download/download_harness.h"

namespace {

using namespace DownloadHarness;
using PackageServerClient::Namespace;
DownloadHarness::GlobalCurl curlForTheProcess;

constexpr int64_t kMiB = 1048576;

struct FunnelReport {
  DownloadFunnel::AbMap ab;
  std::wstring step, reason;
  float elapsed;
};

class FunnelObserver {
 public:
  FunnelObserver() {
    DownloadFunnel::SetStepReporter([this](const DownloadFunnel::AbMap& ab, const std::wstring& step,
                                           const std::wstring& reason, float elapsed) {
      std::lock_guard<std::mutex> lock(mutex_);
      reports_.push_back({ab, step, reason, elapsed});
    });
  }
  ~FunnelObserver() { DownloadFunnel::SetStepReporter(nullptr); }
  std::vector<FunnelReport> Reports() {
    std::lock_guard<std::mutex> lock(mutex_);
    return reports_;
  }

 private:
  std::mutex mutex_;
  std::vector<FunnelReport> reports_;
};

struct Sink {
  std::vector<std::pair<int64_t, double>> calls;  // (wall second, percent)
  static void Relay(void* owner, double, double unused, double percent) {
    EXPECT_EQ(unused, 0.0);
    static_cast<Sink*>(owner)->calls.push_back({static_cast<int64_t>(std::time(nullptr)), percent});
  }
};

std::string Publish(const Namespace& ns, const std::string& bytes) {
  const std::string rel = PackageServerClient::Md5Of(bytes) + "/setup.exe";
  ns.WriteFile(rel, bytes);
  return ns.Url(rel);
}

TEST(CurlClientProbe, NotFoundIsReportedOncePerProbe) {
  Namespace ns("client-404");
  FunnelObserver funnel;
  CurlClient client(Wide(ns.Url("nothing/setup.exe")), Wide(LocalPath("404.exe")), nullptr, nullptr);
  EXPECT_EQ(client.Start(), CurlClient::kNoLength);
  auto reports = funnel.Reports();
  ASSERT_EQ(reports.size(), 2u);
  for (const FunnelReport& r : reports) {
    EXPECT_EQ(r.step, L"下载失败原因");
    EXPECT_EQ(r.reason, L"1.获取文件大小的状态码为=404；");
    EXPECT_EQ(r.elapsed, 0.0f);
    EXPECT_EQ(r.ab, (DownloadFunnel::AbMap{{L"AB", L"IN"}}));
  }
  auto log = ns.Log();
  ASSERT_EQ(log.size(), 3u) << "the first probe, then the address probe and the length probe";
  for (const auto& r : log) EXPECT_EQ(r.method, "HEAD");
}

TEST(CurlClientProbe, LengthProbeAcceptsFourHundredButNotAbove) {
  struct Case {
    const char* name;
    int status;
    size_t reports;  // the first probe always reports; the second only above 400
  };
  const Case cases[] = {{"client-400", 400, 1}, {"client-401", 401, 2}, {"client-503", 503, 2}};
  for (const Case& c : cases) {
    Namespace ns(c.name);
    ns.Script(R"([{"method": "HEAD", "status": )" + std::to_string(c.status) + "}]");
    FunnelObserver funnel;
    CurlClient client(Wide(ns.Url("x/setup.exe")), Wide(LocalPath("probe.exe")), nullptr, nullptr);
    EXPECT_EQ(client.Start(), CurlClient::kNoLength) << c.name;
    EXPECT_EQ(funnel.Reports().size(), c.reports) << c.name;
  }
}

TEST(CurlClientProbe, ProbesFollowRedirectsToTheFinalAddress) {
  Namespace ns("client-redirect");
  auto bytes = PackageServerClient::PackageBytes(2 * kMiB, 3);
  std::string url = Publish(ns, bytes);
  ns.Script(R"([{"path": ")" + ns.Path("latest") + R"(", "redirect": ")" + url + R"("}])");
  auto h = CurlClient::Head(ns.Url("latest"));
  ASSERT_TRUE(h);
  EXPECT_EQ(CurlClient::GetRealUrl(h.get()), url);
  EXPECT_EQ(CurlClient::GetDownloadFileLength(h.get()), 2.0 * kMiB);
  EXPECT_EQ(CurlClient::GetRealUrl_Str(ns.Url("latest")), url);
  EXPECT_EQ(CurlClient::GetDownloadFileLength_Str(url), 2.0 * kMiB);
  EXPECT_EQ(CurlClient::GetRealUrl_Str(ns.Url("nothing")), ns.Url("nothing")) << "404 keeps the address";
}

TEST(CurlClientTransfer, ResumesAPartialFileAndCountsProgressFromIt) {
  Namespace ns("client-resume");
  auto bytes = PackageServerClient::PackageBytes(8 * kMiB, 4);
  std::string url = Publish(ns, bytes);
  ns.Script(R"([{"method": "GET", "rate": 3000000}])");
  const std::string dest = LocalPath("resume.exe");
  const size_t have = 4 * kMiB;
  WriteLocal(dest + ".part", bytes.substr(0, have));
  Sink sink;
  CurlClient client(Wide(url), Wide(dest), &sink, &Sink::Relay);
  EXPECT_EQ(client.Start(), 0);
  EXPECT_TRUE(ReadFile(dest) == bytes);
  EXPECT_EQ(client.Digest(), PackageServerClient::Md5Of(bytes)) << "the bytes on disk were hashed first";
  EXPECT_FALSE(FileExists(dest + ".part"));
  auto gets = ns.Log("GET");
  ASSERT_EQ(gets.size(), 1u);
  EXPECT_EQ(gets[0].range, "bytes=4194304-");
  EXPECT_EQ(gets[0].acceptEncoding, "identity");
  ASSERT_FALSE(sink.calls.empty());
  EXPECT_GE(sink.calls.front().second, 50.0) << "percent counts the bytes already on disk";
  for (size_t i = 1; i < sink.calls.size(); ++i) {
    EXPECT_GT(sink.calls[i].first, sink.calls[i - 1].first) << "one progress call a second";
    EXPECT_GE(sink.calls[i].second, sink.calls[i - 1].second);
  }
  EXPECT_LE(sink.calls.back().second, 100.0);
}

TEST(CurlClientTransfer, DestinationIsReplacedOnlyAfterSuccess) {
  Namespace ns("client-replace");
  auto bytes = PackageServerClient::PackageBytes(2 * kMiB, 5);
  std::string url = Publish(ns, bytes);
  ns.Script(R"([{"method": "GET", "count": 1, "cut_after": 100000}])");
  const std::string dest = LocalPath("replace.exe");
  WriteLocal(dest, "the old package");
  CurlClient client(Wide(url), Wide(dest), nullptr, nullptr);
  EXPECT_EQ(client.Start(), CURLE_PARTIAL_FILE);
  EXPECT_EQ(client.Digest(), "") << "no digest of a package that is not there";
  EXPECT_EQ(ReadFile(dest), "the old package");
  EXPECT_EQ(ReadFile(dest + ".part"), bytes.substr(0, 100000));
  EXPECT_EQ(client.Start(), 0);
  EXPECT_TRUE(ReadFile(dest) == bytes);
  EXPECT_EQ(client.Digest(), PackageServerClient::Md5Of(bytes)) << "hashing went on across the cut";
  EXPECT_EQ(ns.Log("HEAD").size(), 1u) << "a known length of at least 1 MiB skips the probes";
}

// The digest the client hands on is that of the bytes it stored, wherever they came
// from: a partial file left on disk that differs from the package shows in it.
TEST(CurlClientTransfer, DigestCoversWhatTheFileHolds) {
  struct Case {
    const char* name;
    size_t have;       // bytes of a partial file left on disk before Start
    bool damagePrefix; // one of them differs from the package
  };
  const Case cases[] = {{"digest-none", 0, false}, {"digest-good-prefix", 1500000, false},
                        {"digest-bad-prefix", 1500000, true}, {"digest-one-byte-bad", 1, true}};
  for (const Case& c : cases) {
    Namespace ns(c.name);
    auto bytes = PackageServerClient::PackageBytes(3 * kMiB, 8);
    std::string url = Publish(ns, bytes);
    const std::string dest = LocalPath(std::string(c.name) + ".exe");
    std::string prefix = bytes.substr(0, c.have);
    if (c.damagePrefix) prefix[prefix.size() / 2] ^= 0x5A;
    if (c.have > 0) WriteLocal(dest + ".part", prefix);
    CurlClient client(Wide(url), Wide(dest), nullptr, nullptr);
    ASSERT_EQ(client.Start(), 0) << c.name;
    const std::string stored = ReadFile(dest);
    EXPECT_EQ(stored.size(), bytes.size()) << c.name;
    EXPECT_EQ(client.Digest(), PackageServerClient::Md5Of(stored)) << c.name;
    EXPECT_EQ(client.Digest() == PackageServerClient::Md5Of(bytes), !c.damagePrefix) << c.name;
  }
}

TEST(CurlClientTransfer, DestroyingRemovesThePartialFile) {
  Namespace ns("client-destroy");
  auto bytes = PackageServerClient::PackageBytes(2 * kMiB, 6);
  std::string url = Publish(ns, bytes);
  ns.Script(R"([{"method": "GET", "cut_after": 1000}])");
  const std::string dest = LocalPath("destroy.exe");
  {
    CurlClient client(Wide(url), Wide(dest), nullptr, nullptr);
    EXPECT_EQ(client.Start(), CURLE_PARTIAL_FILE);
    EXPECT_TRUE(FileExists(dest + ".part"));
  }
  EXPECT_FALSE(FileExists(dest + ".part"));
  EXPECT_FALSE(FileExists(dest));
}

TEST(CurlClientTransfer, LocalFileAddress) {
  auto bytes = PackageServerClient::PackageBytes(static_cast<size_t>(1.5 * kMiB), 8);
  const std::string source = LocalPath("local-source.bin");
  WriteLocal(source, bytes);
  std::string address = "file:///" + source;
#ifdef _WIN32
  for (char& c : address) if (c == '\\') c = '/';
#else
  address = "file://" + source;
#endif
  const std::string dest = LocalPath("local.exe");
  CurlClient client(Wide(address), Wide(dest), nullptr, nullptr);
  EXPECT_EQ(client.Start(), 0);
  EXPECT_TRUE(ReadFile(dest) == bytes);
}

}  // namespace
