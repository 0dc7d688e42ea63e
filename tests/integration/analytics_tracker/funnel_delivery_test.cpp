// The installer's funnel through the real tracker, queue, encoding and libcurl to
// the test collector: a normal run delivered at StopAnalytics, a crash that sends
// at once, and analytics switched off before or after the start.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "analytics/funnel/installer_funnel.h"
#include "analytics/tracker/tracker_handle.h"
#include "app/installer_config.h"
#include "collected.h"
#include "download/funnel_hook.h"
#include "support/tracker_files.h"
#include "utils/profile.h"
#include "utils/text.h"

namespace {

using namespace zorvik::analytics;
using Collected::Event;
using Collected::Props;
using Collected::Str;
using StrictJson::Value;

std::wstring W(const std::string& s) { return Utils::ToWide(s, Utils::kCodePageUtf8); }

// UTF-8 forms of the funnel's texts.
const char kStarted[] = "\xE4\xB8\x8B\xE8\xBD\xBD\xE5\x99\xA8\xE5\x90\xAF\xE5\x8A\xA8";        // 下载器启动
const char kDownloadStart[] = "\xE5\xBC\x80\xE5\xA7\x8B\xE4\xB8\x8B\xE8\xBD\xBD\xE5\xA4\xA7\xE5\x8C\x85";  // 开始下载大包
const char kDownloaded[] = "\xE5\xA4\xA7\xE5\x8C\x85\xE4\xB8\x8B\xE8\xBD\xBD\xE5\xAE\x8C\xE6\xAF\x95";     // 大包下载完毕
const char kFailed[] = "\xE4\xB8\x8B\xE8\xBD\xBD\xE5\xA4\xB1\xE8\xB4\xA5\xE5\x8E\x9F\xE5\x9B\xA0";         // 下载失败原因
const char kInstalled[] = "\xE5\xAE\x89\xE8\xA3\x85\xE6\x88\x90\xE5\x8A\x9F";                          // 安装成功
const char kInstalling[] = "\xE5\xAE\x89\xE8\xA3\x85\xE4\xB8\xAD";                                     // 安装中
const char kInstallNow[] = "\xE7\xAB\x8B\xE5\x8D\xB3\xE5\xAE\x89\xE8\xA3\x85";                         // 立即安装
const char kTryNow[] = "\xE7\xAB\x8B\xE5\x8D\xB3\xE4\xBD\x93\xE9\xAA\x8C";                             // 立即体验
const char kCurlFailed[] = "libcurl\xE5\x88\x9D\xE5\xA7\x8B\xE5\x8C\x96\xE5\xA4\xB1\xE8\xB4\xA5";     // libcurl初始化失败
const char kCrashExit[] = "\xE5\xB4\xA9\xE6\xBA\x83\xE9\x80\x80\xE5\x87\xBA";                          // 崩溃退出
const char kCrash[] = "\xE5\xB4\xA9\xE6\xBA\x83";                                                      // 崩溃

class FunnelDelivery : public testing::Test {
 protected:
  static void SetUpTestSuite() { curl_global_init(CURL_GLOBAL_ALL); }
  static void TearDownTestSuite() { curl_global_cleanup(); }

  void SetUp() override {
    ASSERT_NE(TestEnv::ServerPort("collector"), 0) << "collector not running";
    TrackerFiles::PointTrackerFilesAtScratch();
    const auto stamp = std::chrono::system_clock::now().time_since_epoch().count() % 100000000;
    ns_ = std::string("funnel_") + testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
          std::to_string(stamp);
    suffix_ = ".t" + std::to_string(stamp);
    saved_ = InstallerConfig::Get();
    InstallerConfig& c = InstallerConfig::Get();
    c.IsEnableAnalytics = true;
    c.AnalyticsUrl = W(CollectorClient::BatchUrl(ns_));
    c.DlAppNameSuffix = W(suffix_);
    c.ExeName = L"QuibzipInstaller.exe";
    c.DlAppVersion.clear();
    TrackerFiles::Remove(App());
  }
  void TearDown() override {
    ReleaseTracker();
    DownloadFunnel::SetStepReporter(nullptr);
    InstallerConfig::Get() = saved_;
    TrackerFiles::Remove(App());
  }

  std::string App() const { return "Quibzip" + suffix_; }
  AbMap Ab() const { return AbMap{{L"AB", InstallerConfig::Get().GetAbLabel()}}; }

  void ExpectCommonProperties(const Value& record) const {
    const Value& p = Props(record);
    EXPECT_EQ(Str(p, "zv_app_id"), App());
    EXPECT_EQ(Str(p, "$app_id"), App());
    EXPECT_EQ(Str(p, "$app_version"), "1.7.9");
    EXPECT_EQ(Str(p, "zv_app_store"), "QuibzipInstaller.exe");
    EXPECT_EQ(Str(p, "zv_dlapp_id"), "Quibzip");
    EXPECT_FALSE(p.Has("zv_dlapp_version"));
    EXPECT_EQ(Str(p, "zv_edition"), "china");
    EXPECT_EQ(Str(p, "zv_app_platform"), "Windows");
    EXPECT_EQ(Str(p, "zv_track_type"), "Client");
    EXPECT_EQ(Str(p, "zv_sdk_version"), "3.3.8");
    EXPECT_EQ(Str(p, "zv_sdk"), "WindowsCPP");
    EXPECT_EQ(Str(p, "$os"), "Windows");
    EXPECT_FALSE(Str(p, "$os_version").empty());
    ASSERT_TRUE(p.Has("$screen_width"));
    EXPECT_EQ(p.Get("$screen_width")->type, Value::Type::kNumber);
    EXPECT_EQ(Str(p, "$lib"), "cpp");
  }

  std::string ns_;
  std::string suffix_;
  InstallerConfig saved_{InstallerConfig::BuiltInOnly{}};
};

TEST_F(FunnelDelivery, NormalRunIsDeliveredAtStop) {
  ReportFunnelStep(Ab(), W(kCurlFailed), L"", 0);  // before the start: no tracker, nothing recorded
  StartAnalytics();
  ASSERT_NE(CurrentTracker(), nullptr);
  ReportFunnelClick(Ab(), W(kInstallNow));
  ReportFunnelStep(Ab(), W(kStarted), L"", 0);
  ReportFunnelView(Ab());
  ReportFunnelStep(Ab(), W(kDownloadStart), L"", 0);
  // The transfer client reports through the download stack's hook.
  DownloadFunnel::ReportFunnelStep(Ab(), W(kFailed), L"1.code=404,free=12.50GB", 0);
  ReportFunnelStep(Ab(), W(kDownloadStart), L"", 0);
  ReportFunnelStep(Ab(), W(kDownloaded), L"", 12.5f);
  ReportFunnelStep(Ab(), W(kInstalled), L"", 30.25f);
  ReportFunnelClick(AbMap{{L"AB", L"ab"}}, W(kTryNow));  // a refused label: the click goes without it
  EXPECT_EQ(Collected::Attempts(ns_), 0) << "ordinary events wait for the stop";

  StopAnalytics();
  EXPECT_EQ(CurrentTracker(), nullptr);
  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 9u);
  const struct {
    const char* event;
    const char* name;
    const char* elapsed;  // tasks only
    const char* reason;   // tasks only; null when absent
  } expected[] = {
      {"ZvEventClick", kInstallNow, nullptr, nullptr},
      {"ZvEventTask", kStarted, "0", nullptr},
      {"ZvEventView", kInstalling, nullptr, nullptr},
      {"ZvEventTask", kDownloadStart, "0", nullptr},
      {"ZvEventTask", kFailed, "0", "1.code=404,free=12.50GB"},
      {"ZvEventTask", kDownloadStart, "0", nullptr},
      {"ZvEventTask", kDownloaded, "12.5", nullptr},
      {"ZvEventTask", kInstalled, "30.25", nullptr},
      {"ZvEventClick", kTryNow, nullptr, nullptr},
  };
  const std::string device = Utils::ToNarrow(
      Utils::ReadProfileString(W(TrackerFiles::SettingsFile(App())), L"Base", L"DistinctId", L""),
      Utils::kCodePageUtf8);
  for (size_t i = 0; i < r.size(); ++i) {
    SCOPED_TRACE(i);
    const Value& p = Props(r[i]);
    EXPECT_EQ(Event(r[i]), expected[i].event);
    EXPECT_EQ(Str(r[i], "type"), "track");
    EXPECT_EQ(Str(r[i], "distinct_id"), device);
    ExpectCommonProperties(r[i]);
    ASSERT_TRUE(p.Has("$is_first_time"));
    EXPECT_TRUE(p.Get("$is_first_time")->boolean);
    if (i + 1 < r.size()) {
      EXPECT_EQ(Str(p, "zvc_ab"), "IN");
    } else {
      EXPECT_FALSE(p.Has("zvc_ab"));
    }
    if (std::string(expected[i].event) == "ZvEventTask") {
      EXPECT_EQ(Str(p, "zv_task_name"), expected[i].name);
      EXPECT_EQ(Str(p, "zv_task_result"), "Success");
      ASSERT_TRUE(p.Has("zv_task_elapsed"));
      EXPECT_EQ(p.Get("zv_task_elapsed")->text, expected[i].elapsed);
      EXPECT_EQ(p.Has("zv_reason"), expected[i].reason != nullptr);
      if (expected[i].reason) {
        EXPECT_EQ(Str(p, "zv_reason"), expected[i].reason);
      }
      EXPECT_FALSE(p.Has("zv_aname"));
    } else {
      EXPECT_EQ(Str(p, "zv_name"), expected[i].name);
      EXPECT_EQ(p.Has("zv_click_type"), std::string(expected[i].event) == "ZvEventClick");
      if (p.Has("zv_click_type")) {
        EXPECT_EQ(Str(p, "zv_click_type"), "Button");
      }
      EXPECT_FALSE(p.Has("zv_title"));
    }
  }
  EXPECT_EQ(Props(r[1]).Keys(),
            (std::vector<std::string>{"$app_id", "$app_version", "$is_first_time", "$lib", "$lib_version", "$os",
                                      "$os_version", "$screen_height", "$screen_width", "zv_app_id",
                                      "zv_app_platform", "zv_app_store", "zv_dlapp_id", "zv_edition",
                                      "zv_l10n_country", "zv_l10n_language", "zv_l10n_locale", "zv_sdk",
                                      "zv_sdk_version", "zv_task_elapsed", "zv_task_name", "zv_task_result",
                                      "zv_track_type", "zvc_ab"}));

  // The stop took the hook away: with a tracker made by hand, a report through
  // the hook still reaches nothing.
  TrackerConfig byHand;
  byHand.appName = App();
  byHand.appVersion = "1.7.9";
  byHand.appStore = "QuibzipInstaller.exe";
  byHand.serverUrl = CollectorClient::BatchUrl(ns_);
  CreateTracker(byHand);
  DownloadFunnel::ReportFunnelStep(Ab(), W(kFailed), L"late", 0);
  ReleaseTracker();
  EXPECT_EQ(Collected::Records(ns_).size(), 9u);
}

TEST_F(FunnelDelivery, CrashSendsEverythingQueuedAtOnce) {
  StartAnalytics();
  ReportFunnelStep(Ab(), W(kDownloadStart), L"", 0);
  ReportFunnelStep(Ab(), W(kCrashExit), L"", 0);
  ReportCrash();
  // Delivered before any stop.
  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(Str(Props(r[0]), "zv_task_name"), kDownloadStart);
  EXPECT_EQ(Str(Props(r[1]), "zv_task_name"), kCrashExit);
  EXPECT_EQ(Event(r[2]), "AppCrashed");
  const Value& crash = Props(r[2]);
  EXPECT_EQ(Str(crash, "app_crashed_reason"), kCrash);
  EXPECT_FALSE(crash.Has("zvc_ab"));
  EXPECT_FALSE(crash.Has("$is_first_time"));
  ExpectCommonProperties(r[2]);
  const long long attempts = Collected::Attempts(ns_);

  StopAnalytics();  // nothing was left to send
  EXPECT_EQ(Collected::Attempts(ns_), attempts);
}

TEST_F(FunnelDelivery, CrashWithNothingElseQueuedStillGoesAtOnce) {
  StartAnalytics();
  ReportCrash();
  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(Event(r[0]), "AppCrashed");
}

TEST_F(FunnelDelivery, ReportsFromSeveralThreadsAllArrive) {
  StartAnalytics();
  constexpr int kPerThread = 40;
  auto steps = [this](const std::wstring& prefix, bool throughHook) {
    for (int i = 0; i < kPerThread; ++i) {
      const std::wstring name = prefix + std::to_wstring(i);
      if (throughHook) {
        DownloadFunnel::ReportFunnelStep(Ab(), name, L"r", 0);
      } else {
        ReportFunnelStep(Ab(), name, L"", 0);
      }
    }
  };
  std::thread download(steps, L"hook-", true);
  std::thread other(steps, L"step-", false);
  for (int i = 0; i < kPerThread; ++i) ReportFunnelClick(Ab(), L"click-" + std::to_wstring(i));
  download.join();
  other.join();
  std::thread crashing([] { ReportCrash(); });
  crashing.join();
  StopAnalytics();

  std::set<std::string> names;
  for (const Value& r : Collected::Records(ns_)) {
    const Value& p = Props(r);
    names.insert(p.Has("zv_task_name") ? Str(p, "zv_task_name") : p.Has("zv_name") ? Str(p, "zv_name") : Event(r));
  }
  EXPECT_EQ(names.size(), 3u * kPerThread + 1);
  for (const char* probe : {"hook-0", "hook-39", "step-17", "click-39", "AppCrashed"}) EXPECT_TRUE(names.count(probe)) << probe;
}

TEST_F(FunnelDelivery, SwitchedOffCreatesAndSendsNothing) {
  InstallerConfig::Get().IsEnableAnalytics = false;
  StartAnalytics();
  EXPECT_EQ(CurrentTracker(), nullptr);
  ReportFunnelClick(Ab(), W(kInstallNow));
  ReportFunnelStep(Ab(), W(kDownloadStart), L"", 0);
  DownloadFunnel::ReportFunnelStep(Ab(), W(kFailed), L"x", 0);
  ReportFunnelView(Ab());
  ReportCrash();
  StopAnalytics();
  EXPECT_FALSE(TrackerFiles::Exists(TrackerFiles::DataDir(App())));

  // Turned on only after the start (by the command line): still no tracker, nothing sent.
  InstallerConfig::Get().IsEnableAnalytics = true;
  ReportFunnelStep(Ab(), W(kDownloadStart), L"", 0);
  ReportCrash();
  EXPECT_EQ(CurrentTracker(), nullptr);
  EXPECT_EQ(Collected::Attempts(ns_), 0);
}

TEST_F(FunnelDelivery, SwitchedOffAfterTheStartKeepsTheQueueUnsent) {
  StartAnalytics();
  ReportFunnelStep(Ab(), W(kStarted), L"", 0);
  InstallerConfig::Get().IsEnableAnalytics = false;
  ReportFunnelStep(Ab(), W(kDownloadStart), L"", 0);
  ReportCrash();
  StopAnalytics();
  EXPECT_NE(CurrentTracker(), nullptr) << "the tracker stays, unreleased";
  EXPECT_EQ(Collected::Attempts(ns_), 0);
}

}  // namespace
