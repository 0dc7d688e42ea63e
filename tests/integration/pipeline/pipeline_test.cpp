// The whole pipeline without a window: uninstall the old installation, download
// the package from the package server, run it, with every status code arriving at
// one callback. Real servers, real child processes (the fakes), both tiers.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/installer_config.h"
#include "download/curl_downloader.h"
#include "download/mt_curl_downloader.h"
#include "install/download_installer.h"
#include "install/status_codes.h"
#include "support/fake_children.h"
#include "support/package_server_client.h"
#include "support/status_recorder.h"
#include "support/test_env.h"
#include "utils/path.h"
#include "utils/profile.h"
#include "utils/system_queries.h"
#ifdef _WIN32
#include <windows.h>

#include "download/win_downloader.h"
#endif

namespace {

using namespace std::chrono_literals;
using FakeChildren::Wide;

constexpr auto kRunLimit = 60s;
const std::initializer_list<int> kEnds = {INSTALL_SUCCESS, IST_CODE_FAIL, DL_CODE_FAIL, UNIST_CODE_FAIL,
                                          UNIST_CODE_ERROR};

std::vector<int> Codes(const std::vector<Status>& s) {
  std::vector<int> out;
  for (const Status& x : s) out.push_back(x.code);
  return out;
}

size_t IndexOf(const std::vector<int>& codes, int code) {
  return static_cast<size_t>(std::find(codes.begin(), codes.end(), code) - codes.begin());
}

class Pipeline : public ::testing::Test {
 protected:
  void SetUp() override {
    name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ns_ = std::make_unique<PackageServerClient::Namespace>("pipeline-" + name_);
    dir_ = TestEnv::Join(TestEnv::TmpDir(), name_);
    InstallerConfig::Get().DownloadType = 1;
    FakeChildren::SetEnv("QZ_FAKE_PACKAGE_SCRIPT", "");
    FakeChildren::SetEnv("QZ_FAKE_UNINSTALLER_SCRIPT", "");
  }

  // Serves the fake package (padded past the 1 MiB floor) in its digest folder; returns its address.
  std::string ServePackage() {
    std::string bytes = FakeChildren::ReadFile(FakeChildren::Path("qz_fake_package"));
    EXPECT_GT(bytes.size(), 1000u);
    // Packages under 1 MiB are refused; trailing bytes do not disturb a program image.
    bytes += PackageServerClient::PackageBytes(3u << 19);
    std::string rel = PackageServerClient::Md5Of(bytes) + "/setup.exe";
    ns_->WriteFile(rel, bytes);
    return ns_->Url(rel);
  }
  void PackageScript(const std::string& script) {
    FakeChildren::UseScript("QZ_FAKE_PACKAGE_SCRIPT", name_ + ".package.txt", script);
  }
  // An old installation whose uninstaller is the fake, running the given script.
  std::wstring OldInstallation(const std::string& script) {
    std::string old = TestEnv::Join(dir_, "old");
    Utils::CreateDirectoryTree(Wide(old));
    std::string un = TestEnv::Join(old, "uninst.ep");
    Utils::CopyFileReplacing(Wide(FakeChildren::Path("qz_fake_uninstaller")), Wide(un));
    FakeChildren::UseScript("QZ_FAKE_UNINSTALLER_SCRIPT", name_ + ".uninstaller.txt", script);
    return Wide(un);
  }
  std::wstring InstallDir() const { return Wide(TestEnv::Join(TestEnv::Join(dir_, "target"), "Quibzip")); }

  // Starts a run and waits for its end code.
  std::vector<Status> RunToEnd(CDownloadInstaller& installer) {
    installer.Start();
    EXPECT_TRUE(recorder_.WaitForCode(kEnds, kRunLimit)) << "the run did not end";
    // The end code comes last; the installer is free again once its handler is done.
    for (int i = 0; i < 500 && installer.Busy(); ++i) std::this_thread::sleep_for(10ms);
    std::vector<Status> all = recorder_.Snapshot();
    std::string trail;
    for (const Status& s : all) trail += std::to_string(s.code) + " " + Utils::ToNarrow(s.text, Utils::kCodePageUtf8) + "; ";
    std::printf("statuses: %s\n", trail.c_str());  // read with the failures below
    EXPECT_FALSE(all.empty());
    return all;
  }

  std::string name_;
  std::unique_ptr<PackageServerClient::Namespace> ns_;
  std::string dir_;
  StatusRecorder recorder_;
};

TEST_F(Pipeline, FreshInstallDownloadsRunsAndDeletesThePackage) {
  std::string url = ServePackage();
  PackageScript("line Progress=50\nline InstPath=${INSTDIR}\nline StartExe=${INSTDIR}${SEP}Quibzip.exe\n"
                "line State=Success\n");
  CDownloadInstaller installer(recorder_.Callback(), Wide(url), L"", InstallDir(), true, false, true);
  std::vector<int> codes = Codes(RunToEnd(installer));
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front(), DL_CODE_START) << "no uninstaller: the download comes first";
  EXPECT_EQ(IndexOf(codes, UNIST_CODE_PROGRESS), codes.size());
  size_t ok = IndexOf(codes, DL_CODE_SUCCESS), start = IndexOf(codes, IST_CODE_START);
  size_t path = IndexOf(codes, IST_INFO_INSTPATH), done = IndexOf(codes, INSTALL_SUCCESS);
  EXPECT_LT(ok, start);
  EXPECT_LT(start, path);
  EXPECT_LT(path, done);
  EXPECT_LT(done, codes.size());
  EXPECT_EQ(IndexOf(codes, IST_CODE_FAIL), codes.size());
  std::string target = Utils::ToNarrow(InstallDir(), Utils::kCodePageAnsi);
  EXPECT_TRUE(FakeChildren::Exists(TestEnv::Join(target, "Quibzip.exe"))) << "the package installed";
  EXPECT_TRUE(FakeChildren::Exists(TestEnv::Join(target, "uninst.ep")));
  EXPECT_FALSE(Utils::FileExists(installer.PackagePath())) << "deleted after 2003";
  EXPECT_EQ(installer.PackagePath(), Utils::JoinPath(InstallDir(), L"__Package_Quibzip.exe"));
}

TEST_F(Pipeline, ExistingInstallationIsRemovedFirst) {
  std::string url = ServePackage();
  PackageScript("line State=Success\n");
  std::wstring un = OldInstallation("line Progress=30\nline State=Success\n");
  CDownloadInstaller installer(recorder_.Callback(), Wide(url), un, InstallDir(), true, true, true);
  std::vector<int> codes = Codes(RunToEnd(installer));
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front(), UNIST_CODE_PROGRESS);
  EXPECT_LT(IndexOf(codes, UNIST_CODE_SUCCESS), IndexOf(codes, DL_CODE_START));
  EXPECT_LT(IndexOf(codes, INSTALL_SUCCESS), codes.size());
  std::wstring copy = Utils::JoinPath(Utils::GetInstallerTempDir(), L"Quibzip_un_asa.exe");
  EXPECT_TRUE(Utils::FileExists(copy)) << "the uninstaller ran from its copy";
}

TEST_F(Pipeline, FailingUninstallerStopsThePipeline) {
  std::string url = ServePackage();
  std::wstring un = OldInstallation("line Error=still in use\nexit 3\n");
  CDownloadInstaller installer(recorder_.Callback(), Wide(url), un, InstallDir(), true, true, true);
  std::vector<Status> all = RunToEnd(installer);
  std::vector<int> codes = Codes(all);
  ASSERT_LT(IndexOf(codes, UNIST_CODE_ERROR), codes.size());
  EXPECT_EQ(all[IndexOf(codes, UNIST_CODE_ERROR)].text, L"still in use");
  EXPECT_EQ(IndexOf(codes, DL_CODE_START), codes.size()) << "no download after a failed uninstall";
  EXPECT_TRUE(ns_->Log().empty());
}

#ifdef _WIN32
TEST_F(Pipeline, UninstallerThatCannotBeCopiedStopsThePipeline) {
  std::string url = ServePackage();
  std::wstring un = OldInstallation("line State=Success\n");
  std::wstring copy = Utils::JoinPath(Utils::GetInstallerTempDir(), L"Quibzip_un_asa.exe");
  ASSERT_TRUE(Utils::DeleteFileIfPresent(copy));
  // Held open without sharing, the uninstaller cannot be copied.
  HANDLE held = CreateFileW(un.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  CDownloadInstaller installer(recorder_.Callback(), Wide(url), un, InstallDir(), true, true, true);
  std::vector<Status> all = RunToEnd(installer);
  CloseHandle(held);
  EXPECT_EQ(all, (std::vector<Status>{{UNIST_CODE_FAIL, 1.0, L"\u53ef\u6267\u884c\u5378\u8f7d\u6587\u4ef6\u4e0d\u5b58\u5728"}}));
  EXPECT_TRUE(ns_->Log().empty()) << "no download after a failed uninstall";
}
#endif

TEST_F(Pipeline, DownloadFailureDeletesThePackageAndARetryReusesTheDownloader) {
  std::string url = ns_->Url("0123456789abcdef0123456789abcdef/missing.exe");
  CDownloadInstaller installer(recorder_.Callback(), Wide(url), L"", InstallDir(), true, true, true);
  std::vector<int> codes = Codes(RunToEnd(installer));
  EXPECT_LT(IndexOf(codes, DL_CODE_FAIL), codes.size());
  EXPECT_FALSE(Utils::FileExists(installer.PackagePath()));
  const CDownloader* first = installer.Downloader();
  ASSERT_NE(first, nullptr);
  size_t before = recorder_.Snapshot().size();
  installer.Start();
  ASSERT_TRUE(recorder_.WaitForCode({DL_CODE_FAIL}, kRunLimit));
  for (int i = 0; i < 6000 && Codes(recorder_.Snapshot()).size() == before; ++i) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(installer.Downloader(), first) << "the downloader is kept across runs";
}

TEST_F(Pipeline, MultiPartRetryIsSpentByTheFirstRun) {
  InstallerConfig::Get().DownloadType = 3;
  // A package whose folder names another digest: every attempt fails its check.
  ns_->WriteFile("0123456789abcdef0123456789abcdef/setup.exe", PackageServerClient::PackageBytes(2u << 20));
  std::string url = ns_->Url("0123456789abcdef0123456789abcdef/setup.exe");
  CDownloadInstaller installer(recorder_.Callback(), Wide(url), L"", InstallDir(), true, true, true);
  std::vector<int> first = Codes(RunToEnd(installer));
  InstallerConfig::Get().DownloadType = 1;
  ASSERT_NE(dynamic_cast<const CMTCurlDownloader*>(installer.Downloader()), nullptr);
  EXPECT_EQ(std::count(first.begin(), first.end(), DL_CODE_RETRY), 1) << "one whole retry";
  EXPECT_EQ(first.back(), DL_CODE_FAIL);
  size_t before = first.size();
  installer.Start();
  for (int i = 0; i < 6000 && recorder_.Snapshot().size() == before; ++i) std::this_thread::sleep_for(10ms);
  for (int i = 0; i < 6000 && installer.Busy(); ++i) std::this_thread::sleep_for(10ms);
  std::vector<int> all = Codes(recorder_.Snapshot());
  std::vector<int> second(all.begin() + static_cast<long>(before), all.end());
  EXPECT_EQ(std::count(second.begin(), second.end(), DL_CODE_RETRY), 0) << "no retry left";
  ASSERT_FALSE(second.empty());
  EXPECT_EQ(second.back(), DL_CODE_FAIL);
}

TEST_F(Pipeline, InstallFailureDeletesThePackage) {
  std::string url = ServePackage();
  PackageScript("line Progress=10\nline State=Fail\n");
  CDownloadInstaller installer(recorder_.Callback(), Wide(url), L"", InstallDir(), true, true, true);
  std::vector<Status> all = RunToEnd(installer);
  std::vector<int> codes = Codes(all);
  ASSERT_LT(IndexOf(codes, IST_CODE_FAIL), codes.size());
  EXPECT_EQ(all[IndexOf(codes, IST_CODE_FAIL)].text, L"\u5b89\u88c5\u5305\u5b89\u88c5\u5931\u8d25");
  EXPECT_EQ(IndexOf(codes, INSTALL_SUCCESS), codes.size());
  EXPECT_FALSE(Utils::FileExists(installer.PackagePath()));
}

TEST_F(Pipeline, StartWhileBusyIsRefused) {
  std::string url = ServePackage();
  PackageScript("sleep 500\nline State=Success\n");
  CDownloadInstaller installer(recorder_.Callback(), Wide(url), L"", InstallDir(), true, true, true);
  installer.Start();
  installer.Start();  // the first run is still busy
  ASSERT_TRUE(recorder_.WaitForCode(kEnds, kRunLimit));
  for (int i = 0; i < 500 && installer.Busy(); ++i) std::this_thread::sleep_for(10ms);
  std::vector<int> codes = Codes(recorder_.Snapshot());
  EXPECT_EQ(std::count(codes.begin(), codes.end(), DL_CODE_START), 1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), INSTALL_SUCCESS), 1);
  EXPECT_EQ(ns_->Log("GET").size(), 1u) << "one download";
}

TEST(DownloaderChoice, ByDownloadType) {
  auto none = [](int, double, const std::wstring&) {};
  for (int type : {0, 1, 7, -5}) {
    auto d = CDownloadInstaller::MakeDownloader(type, none, L"http://127.0.0.1:9/x", L"p");
    EXPECT_NE(dynamic_cast<CCurlDownloader*>(d.get()), nullptr) << type;
  }
  auto mt = CDownloadInstaller::MakeDownloader(3, none, L"http://127.0.0.1:9/x", L"p");
  EXPECT_NE(dynamic_cast<CMTCurlDownloader*>(mt.get()), nullptr);
#ifdef _WIN32
  auto sys = CDownloadInstaller::MakeDownloader(2, none, L"http://127.0.0.1:9/x", L"p");
  EXPECT_NE(dynamic_cast<CWinDownloader*>(sys.get()), nullptr);
#endif
}

}  // namespace
