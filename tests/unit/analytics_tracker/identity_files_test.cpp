// The identity files through the tracker's start-up and shutdown: the first run,
// a changed server address, the login flag's exact text, the override file beside
// the executable, the log file and the "Failed to" line of the wrapper. Tier W
// runs these through the Win32 profile API and the real user folders.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <regex>
#include <string>

#include "analytics/sdk/sdk.h"
#include "analytics/tracker/analytics_tracker_wrapper.h"
#include "analytics/tracker/system_facts.h"
#include "analytics/tracker/zv_exception.h"
#include "support/test_env.h"
#include "support/tracker_files.h"
#include "utils/profile.h"
#include "utils/text.h"

namespace {

using namespace zorvik::analytics;

const char kUrl[] = "http://127.0.0.1:9/sa?project=pc";
const char kOtherUrl[] = "http://127.0.0.1:9/other/sa?project=pc";

std::wstring W(const std::string& s) { return Utils::ToWide(s, Utils::kCodePageUtf8); }
std::string N(const std::wstring& s) { return Utils::ToNarrow(s, Utils::kCodePageUtf8); }

class IdentityFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    TrackerFiles::PointTrackerFilesAtScratch();
    app_ = std::string("IdTest") + testing::UnitTest::GetInstance()->current_test_info()->name() +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000);
    TrackerFiles::Remove(app_);
  }
  void TearDown() override {
    std::remove(N(OverrideFile()).c_str());
    TrackerFiles::Remove(app_);
  }

  TrackerConfig Config(const std::string& url) const {
    TrackerConfig c;
    c.appName = app_;
    c.appVersion = "1.7.9";
    c.appStore = "QuibzipInstaller.exe";
    c.serverUrl = url;
    return c;
  }
  std::unique_ptr<AnalyticsTrackerImpl> Started(const std::string& url) const {
    auto t = std::make_unique<AnalyticsTrackerImpl>(Config(url));
    t->init();
    return t;
  }
  std::string Read(const std::string& file, const wchar_t* section, const wchar_t* key) const {
    return N(Utils::ReadProfileString(W(file), section, key, L"<absent>", 260));
  }
  void Write(const std::string& file, const wchar_t* key, const std::string& value) const {
    ASSERT_TRUE(Utils::WriteProfileString(W(file), L"Base", key, W(value)));
  }
  static std::wstring OverrideFile() { return system_facts::ExecutableFolder() + L"Set.ini"; }

  std::string app_;
};

TEST_F(IdentityFilesTest, FirstRunStoresOneNewIdAndTheApplication) {
  const std::string settings = TrackerFiles::SettingsFile(app_);
  ASSERT_FALSE(TrackerFiles::Exists(settings));
  {
    auto t = Started(kUrl);
    EXPECT_TRUE(TrackerFiles::Exists(settings)) << settings;
    EXPECT_EQ(zv_analytics::Sdk::DistinctId(), t->identity().distinctId);
    EXPECT_FALSE(zv_analytics::Sdk::IsLoginId());
    EXPECT_EQ(t->getPrimaryDistinctId(), t->identity().distinctId);
    const std::string dir = N(t->dataDirectory());
    const std::string tail = std::string("REZezid") + TestEnv::kSep + app_ + TestEnv::kSep;
    ASSERT_GE(dir.size(), tail.size());
    EXPECT_EQ(dir.substr(dir.size() - tail.size()), tail);
    EXPECT_EQ(t->serverUrl(), kUrl);
  }
  const std::string id = Read(settings, L"Base", L"DistinctId");
  EXPECT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}"))) << id;
  EXPECT_EQ(Read(settings, L"Base", L"PrimaryDistinctId"), id);
  EXPECT_EQ(Read(settings, L"Base", L"UserId"), "");
  EXPECT_EQ(Read(settings, L"Base", L"UserVipLevel"), "0");
  EXPECT_EQ(Read(settings, L"Base", L"isLogined"), "NG");
  EXPECT_EQ(Read(settings, L"Base", L"URL"), kUrl);
  EXPECT_EQ(Read(settings, L"UninstallInfo", L"AppStore"), "QuibzipInstaller.exe");
  EXPECT_EQ(Read(settings, L"UninstallInfo", L"AppName"), app_);
  EXPECT_EQ(Read(settings, L"UninstallInfo", L"AppVersion"), "1.7.9");
  // The log exists and stays empty outside debug mode.
  EXPECT_TRUE(TrackerFiles::Exists(TrackerFiles::LogFile(app_)));
  EXPECT_EQ(TrackerFiles::Size(TrackerFiles::LogFile(app_)), 0u);

  // A second run with the same address keeps the id.
  { auto again = Started(kUrl); EXPECT_EQ(again->identity().distinctId, id); }
  EXPECT_EQ(Read(settings, L"Base", L"DistinctId"), id);
}

TEST_F(IdentityFilesTest, ChangedServerAddressKeepsThePrimaryIdAndLogsOut) {
  { Started(kUrl); }
  const std::string settings = TrackerFiles::SettingsFile(app_);
  Write(settings, L"DistinctId", "user-42");
  Write(settings, L"PrimaryDistinctId", "primary-7");
  Write(settings, L"UserId", "user-42");
  Write(settings, L"isLogined", "OK");
  Write(settings, L"UserVipLevel", "3");
  {
    auto t = Started(kOtherUrl);
    EXPECT_EQ(t->identity().distinctId, "primary-7");
    EXPECT_FALSE(t->identity().isLogined);
    EXPECT_EQ(zv_analytics::Sdk::DistinctId(), "primary-7");
    EXPECT_FALSE(zv_analytics::Sdk::IsLoginId());
  }
  EXPECT_EQ(Read(settings, L"Base", L"DistinctId"), "primary-7");
  EXPECT_EQ(Read(settings, L"Base", L"PrimaryDistinctId"), "primary-7");
  EXPECT_EQ(Read(settings, L"Base", L"UserId"), "");
  EXPECT_EQ(Read(settings, L"Base", L"isLogined"), "NG");
  EXPECT_EQ(Read(settings, L"Base", L"URL"), kOtherUrl);
  EXPECT_EQ(Read(settings, L"Base", L"UserVipLevel"), "3");
}

TEST_F(IdentityFilesTest, OnlyUpperCaseOkMeansLoggedIn) {
  const struct {
    const char* flag;
    const char* userId;
    bool loggedIn;
    const char* sdkId;
  } cases[] = {
      {"OK", "user-9", true, "user-9"},
      {"ok", "user-9", false, "device-9"},
      {"Ok", "user-9", false, "device-9"},
      {"NG", "user-9", false, "device-9"},
      {"OK", "", false, "device-9"},  // no user id: never logged in
  };
  const std::string settings = TrackerFiles::SettingsFile(app_);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.flag) + "/" + c.userId);
    TrackerFiles::Remove(app_);
    { Started(kUrl); }
    Write(settings, L"DistinctId", "device-9");
    Write(settings, L"UserId", c.userId);
    Write(settings, L"isLogined", c.flag);
    auto t = Started(kUrl);
    EXPECT_EQ(t->identity().isLogined, c.loggedIn);
    EXPECT_EQ(zv_analytics::Sdk::DistinctId(), c.sdkId);
    EXPECT_EQ(zv_analytics::Sdk::IsLoginId(), c.loggedIn);
  }
}

TEST_F(IdentityFilesTest, LongStoredValuesComeBackCut) {
  { Started(kUrl); }
  const std::string settings = TrackerFiles::SettingsFile(app_);
  Write(settings, L"DistinctId", std::string(200, 'd'));
  Write(settings, L"PrimaryDistinctId", "");
  auto t = Started(kUrl);
  EXPECT_EQ(t->identity().distinctId, std::string(127, 'd'));
  EXPECT_EQ(t->identity().primaryDistinctId, std::string(127, 'd'));
}

TEST_F(IdentityFilesTest, OverrideFileBesideTheExecutableNamesTheSettingsFile) {
  // The value is read with a 128-character buffer: keep the path well below that.
  const std::string folder = TestEnv::Join(TestEnv::TmpDir(), "ov");
  const std::string target = TestEnv::Join(folder, "c.ini");
  ASSERT_LT(target.size(), 127u);
  std::string written = target;
  for (char& ch : written)
    if (ch == '\\') ch = '/';
  ASSERT_TRUE(Utils::WriteProfileString(OverrideFile(), L"Install", L"DORadurorAdudariviZav", W(written)));
  {
    auto t = Started(kUrl);
    EXPECT_EQ(N(t->settingsFile()), target);
    EXPECT_EQ(N(t->dataDirectory()), folder + TestEnv::kSep);
    EXPECT_EQ(t->logPath(), TestEnv::Join(folder, app_ + "_ZVSLog.txt"));
  }
  EXPECT_EQ(Read(target, L"Base", L"URL"), kUrl);
  EXPECT_EQ(Read(target, L"UninstallInfo", L"AppName"), app_);
  EXPECT_TRUE(TrackerFiles::Exists(TestEnv::Join(folder, app_ + "_ZVSLog.txt")));
  EXPECT_FALSE(TrackerFiles::Exists(TrackerFiles::SettingsFile(app_)));
  std::remove(target.c_str());

  // An override without a value leaves the default in place.
  ASSERT_TRUE(Utils::WriteProfileString(OverrideFile(), L"Install", L"DORadurorAdudariviZav", L""));
  { Started(kUrl); }
  EXPECT_TRUE(TrackerFiles::Exists(TrackerFiles::SettingsFile(app_)));
}

TEST_F(IdentityFilesTest, WrapperReportsRefusalsOnceALoggerExists) {
  ZvContextProperties none;
  {
    AnalyticsTrackerWrapper wrapper(Started(kUrl));
    testing::internal::CaptureStdout();
    wrapper.trackTask(ZvEventTask{}, none);
    ZvEventClick click;
    click.name = "x";
    click.clickType = static_cast<ZvClickType>(7);
    wrapper.trackClick(click, none);
    wrapper.trackAppOpenNotification(nullptr, none);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to trackTask\nFailed to trackClick\nFailed to trackAppOpenNotification\n");
    EXPECT_EQ(wrapper.getLogger(), nullptr);
    EXPECT_EQ(wrapper.impl().pendingCount(), 0);
  }
  // Without a logger (start-up stopped at its first check) the refusal is silent.
  TrackerConfig noStore = Config(kUrl);
  noStore.appStore.clear();
  auto impl = std::make_unique<AnalyticsTrackerImpl>(noStore);
  EXPECT_THROW(impl->init(), ZvException);
  AnalyticsTrackerWrapper silent(std::move(impl));
  testing::internal::CaptureStdout();
  silent.trackTask(ZvEventTask{}, none);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

}  // namespace
