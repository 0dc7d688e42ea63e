// Every package transfer keeps TLS peer and host verification on: against an HTTPS
// package server with a self-signed certificate each of them refuses to fetch, while
// a client that turns verification off shows the server itself works.
#include <gtest/gtest.h>

#include <memory>

#include "download/curl_client.h"
#include "download/curl_downloader.h"
#include "download/mt_curl_downloader.h"
#include "integration/download/download_harness.h"

namespace {

using namespace DownloadHarness;
using PackageServerClient::Namespace;
DownloadHarness::GlobalCurl curlForTheProcess;

std::string PublishTls(const Namespace& ns, std::string* bytes) {
  *bytes = PackageServerClient::PackageBytes(2 * 1048576, 11);
  const std::string rel = PackageServerClient::Md5Of(*bytes) + "/setup.exe";
  ns.WriteFile(rel, *bytes);
  return ns.Url(rel);
}

TEST(TlsVerification, ServerWorksWithoutVerification) {
  Namespace ns("tls-control", "package_tls");
  ASSERT_NE(ns.Port(), 0);
  std::string bytes;
  std::string url = PublishTls(ns, &bytes);
  ASSERT_EQ(url.rfind("https://", 0), 0u);
  std::string got;
  CURL* h = curl_easy_init();
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, PackageServerClient::Collect);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &got);
  EXPECT_EQ(curl_easy_perform(h), CURLE_OK);
  curl_easy_cleanup(h);
  EXPECT_TRUE(got == bytes);
}

TEST(TlsVerification, TransferClientRefusesSelfSignedCertificate) {
  Namespace ns("tls-client", "package_tls");
  std::string bytes;
  std::string url = PublishTls(ns, &bytes);
  CurlClient client(Wide(url), Wide(LocalPath("tls-client.exe")), nullptr, nullptr);
  EXPECT_EQ(client.Start(), CurlClient::kNoLength);
  EXPECT_TRUE(ns.Log().empty()) << "no request passes the handshake";
  EXPECT_FALSE(FileExists(LocalPath("tls-client.exe")));
}

TEST(TlsVerification, DownloadersRefuseSelfSignedCertificate) {
  struct Case {
    const char* name;
    bool multi;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"tls-single", false, {{DL_CODE_START, 1.0}, {DL_CODE_FAIL, -998.0, L"LibCurl"}}},
      {"tls-multi", true, {{DL_CODE_START, 1.0}, {DL_CODE_FAIL, 0.0, L"LibCurl"}}},
  };
  for (const Case& c : cases) {
    Namespace ns(c.name, "package_tls");
    std::string bytes;
    std::string url = PublishTls(ns, &bytes);
    const std::string dest = LocalPath(std::string(c.name) + ".exe");
    StatusRecorder rec;
    std::unique_ptr<CDownloader> d;
    if (c.multi) {
      d = std::make_unique<CMTCurlDownloader>(rec.Callback(), Wide(url), Wide(dest));
    } else {
      d = std::make_unique<CCurlDownloader>(rec.Callback(), Wide(url), Wide(dest));
    }
    rec.OnRetry([&d] { d->Start(); });
    d->Start();
    ASSERT_TRUE(rec.WaitForEnd()) << c.name;
    d.reset();
    EXPECT_TRUE(Matches(rec.Steps(), c.steps)) << c.name << ": " << Describe(rec.All());
    EXPECT_TRUE(ns.Log().empty()) << c.name;
    EXPECT_FALSE(FileExists(dest)) << c.name;
  }
}

}  // namespace
