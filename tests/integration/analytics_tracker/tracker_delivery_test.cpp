// Catalogue calls through the real tracker, queue and libcurl to the test
// collector: task and crash details, texts in the ANSI code page, the login switch,
// the profile records of activation and payment, start-up failures, and delivery
// when the collector refuses everything at shutdown.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "analytics/sdk/sdk.h"
#include "analytics/tracker/analytics_tracker_impl.h"
#include "analytics/tracker/tracker_handle.h"
#include "analytics/tracker/zv_exception.h"
#include "collected.h"
#include "support/tracker_files.h"
#include "utils/profile.h"
#include "utils/text.h"

namespace {

using namespace zorvik::analytics;
using Collected::Event;
using Collected::Props;
using Collected::Str;
using StrictJson::Value;

const ZvContextProperties kNone;

class TrackerDelivery : public testing::Test {
 protected:
  static void SetUpTestSuite() { curl_global_init(CURL_GLOBAL_ALL); }
  static void TearDownTestSuite() { curl_global_cleanup(); }

  void SetUp() override {
    ASSERT_NE(TestEnv::ServerPort("collector"), 0) << "collector not running";
    TrackerFiles::PointTrackerFilesAtScratch();
    const auto stamp = std::chrono::system_clock::now().time_since_epoch().count() % 100000000;
    ns_ = std::string("tracker_") + testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
          std::to_string(stamp);
    app_ = "Trk" + std::to_string(stamp);
    TrackerFiles::Remove(app_);
  }
  void TearDown() override {
    ReleaseTracker();
    TrackerFiles::Remove(app_);
  }

  TrackerConfig Config() const {
    TrackerConfig c;
    c.appName = app_;
    c.appVersion = "2.0";
    c.appStore = "store.exe";
    c.serverUrl = CollectorClient::BatchUrl(ns_);
    return c;
  }
  std::unique_ptr<AnalyticsTrackerImpl> Started(const TrackerConfig& config) const {
    auto t = std::make_unique<AnalyticsTrackerImpl>(config);
    t->init();
    return t;
  }
  std::string Setting(const wchar_t* key) const {
    return Utils::ToNarrow(Utils::ReadProfileString(Utils::ToWide(TrackerFiles::SettingsFile(app_),
                                                                  Utils::kCodePageUtf8),
                                                    L"Base", key, L"<absent>"),
                           Utils::kCodePageUtf8);
  }

  std::string ns_;
  std::string app_;
};

TEST_F(TrackerDelivery, TaskFieldsCrashAndAnsiTexts) {
  {
    auto t = Started(Config());
    ZvEventTask unknown;
    unknown.name = "step";
    unknown.aname = "a";
    unknown.result = ZvResult::Unknown;
    t->trackTask(unknown, kNone);
    ZvEventTask ansi;
    ansi.name = "caf\xE9";                // an accented letter as one ANSI byte
    ansi.reason = "na\xC3\xAFve";         // already UTF-8: unchanged
    ansi.result = ZvResult::Fail;
    ansi.elapsed = 0.5f;
    t->trackTask(ansi, kNone);
    EXPECT_EQ(t->pendingCount(), 2);
    EXPECT_EQ(Collected::Attempts(ns_), 0);
  }  // shutdown delivers
  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 2u);
  const Value& first = Props(r[0]);
  EXPECT_EQ(Str(first, "zv_task_name"), "step");
  EXPECT_EQ(Str(first, "zv_aname"), "a");
  EXPECT_FALSE(first.Has("zv_task_result"));
  EXPECT_FALSE(first.Has("zv_task_elapsed"));
  EXPECT_FALSE(first.Has("zv_reason"));
  const Value& second = Props(r[1]);
  EXPECT_EQ(Str(second, "zv_task_name"), "caf\xC3\xA9");
  EXPECT_EQ(Str(second, "zv_reason"), "na\xC3\xAFve");
  EXPECT_EQ(Str(second, "zv_task_result"), "Fail");
  EXPECT_EQ(second.Get("zv_task_elapsed")->text, "0.5");

  // The crash alone: only the common properties, sent at once.
  auto t = Started(Config());
  t->trackCrash("");
  const auto after = Collected::Records(ns_);
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(Event(after[2]), "AppCrashed");
  std::vector<std::string> commonKeys;
  for (const std::string& k : Props(r[0]).Keys())
    if (k.rfind("zv_task", 0) != 0 && k != "zv_aname" && k != "$is_first_time") commonKeys.push_back(k);
  EXPECT_EQ(Props(after[2]).Keys(), commonKeys);
  EXPECT_EQ(t->pendingCount(), 0);
}

// The event's own keys: everything but the common properties registered at start-up.
std::vector<std::string> OwnKeys(const Value& record, const Value& commonRecord) {
  std::set<std::string> common;
  for (const std::string& k : Props(commonRecord).Keys()) common.insert(k);
  std::vector<std::string> own;
  for (const std::string& k : Props(record).Keys())
    if (!common.count(k)) own.push_back(k);
  return own;
}

TEST_F(TrackerDelivery, RestOfTheCatalogueOrdinaryThenUrgent) {
  auto t = Started(Config());
  t->setLocale("fr_FR");
  ZvContextProperties ab;
  ab.setProperty({5, 6, 8, 9, 11, 12, 14, 1}, "B2");

  ZvEventCashier cashier;
  cashier.cashierName = "vip";
  cashier.subitem = "month";
  t->trackCashier(cashier, ab);
  ZvEventShare share;
  share.channel = "mail";
  share.result = ZvResult::Cancelled;
  t->trackShare(share, ab);
  ZvEventFile file;
  file.aname = "compress";
  file.io = 1;
  file.result = ZvResult::Unknown;  // left out
  file.size = 2048;
  file.width = 640;
  file.fps = 29.97;
  t->trackFile(file, ab);
  ZvEventOrder order;
  order.suitId = "s1";
  order.currency = ZvCurrency::JPY;
  order.paidAmount = 100;
  order.originalAmount = 120;
  order.campaignCode = 7;
  order.curPaidAmount = 0;  // left out
  t->trackOrder(order, ab);
  ZvAppOpenNotification note;
  note.planId = "p";
  note.planType = "t";
  note.msgTitle = "m";
  note.linkUrl = "http://x";
  t->trackAppOpenNotification(&note, ab);
  EXPECT_EQ(Collected::Attempts(ns_), 0) << "ordinary events wait";
  EXPECT_EQ(t->pendingCount(), 5);

  t->trackLaunch(ZvEventLaunch{}, ab);  // urgent, no profile updates without a user id
  ZvEventUninstall uninstall;
  uninstall.reason = "r";
  t->trackUninstall(uninstall, ab);
  ZvEventUpdate update;
  update.op = ZvUpdateOp::UpgrateEnd;
  update.result = ZvUpdateResult::Latest;
  update.elapsed = 1.5;
  t->trackUpdate(update, ab);
  EXPECT_EQ(t->pendingCount(), 0);

  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 8u);
  const Value& launch = r[5];  // carries nothing but the common properties and the context
  const struct {
    const char* event;
    std::vector<std::string> keys;
    std::map<std::string, std::string> values;
  } expected[] = {
      {"ZvEventCashier", {"$is_first_time", "zv_cashier_name", "zv_subitem"}, {{"zv_cashier_name", "vip"}}},
      {"ZvEventShare", {"$is_first_time", "zv_channel", "zv_result"}, {{"zv_result", "Cancelled"}}},
      {"ZvEventFile",
       {"$is_first_time", "zv_aname", "zv_fps", "zv_io", "zv_size", "zv_width"},
       {{"zv_io", "Output"}, {"zv_size", "2048"}, {"zv_fps", "29.97"}, {"zv_width", "640"}}},
      {"ZvEventOrder",
       {"$is_first_time", "zv_campaign_code", "zv_currency", "zv_original_amount", "zv_paid_amount", "zv_suit_id"},
       {{"zv_currency", "JPY"}, {"zv_campaign_code", "7"}, {"zv_paid_amount", "100"}}},
      {"AppOpenNotification",
       {"$is_first_time", "$sf_link_url", "$sf_msg_title", "$sf_plan_id", "$sf_plan_type"},
       {{"$sf_plan_id", "p"}}},
      {"ZvEventLaunch", {}, {}},
      {"ZvEventUninstall", {"zv_uninstall_reason"}, {{"zv_uninstall_reason", "r"}}},
      {"ZvEventUpdate",
       {"$is_first_time", "zv_elapsed", "zv_update_op", "zv_update_result"},
       {{"zv_update_op", "UpgrateEnd"}, {"zv_update_result", "Latest"}, {"zv_elapsed", "1.5"}}},
  };
  for (size_t i = 0; i < r.size(); ++i) {
    SCOPED_TRACE(expected[i].event);
    EXPECT_EQ(Event(r[i]), expected[i].event);
    EXPECT_EQ(OwnKeys(r[i], launch), expected[i].keys);
    for (const auto& kv : expected[i].values) {
      const Value* v = Props(r[i]).Get(kv.first);
      ASSERT_NE(v, nullptr) << kv.first;
      EXPECT_EQ(v->text, kv.second) << kv.first;
    }
    EXPECT_EQ(Str(Props(r[i]), "zvc_ab"), "B2");
    EXPECT_EQ(Str(Props(r[i]), "zv_l10n_locale"), "fr_FR");
    EXPECT_EQ(Str(Props(r[i]), "zv_l10n_language"), "fr");
    EXPECT_EQ(Str(Props(r[i]), "zv_l10n_country"), "FR");
  }
}

TEST_F(TrackerDelivery, LoginSwitchesTheIdentityAndIsSentAtOnce) {
  std::string device;
  {
    auto t = Started(Config());
    device = t->identity().distinctId;
    ZvEventLogin login;
    login.userId = "u-1";
    login.userType = ZvUserType::Email;
    login.vipLevel = 2;
    t->trackLogin(login, kNone);
    const auto r = Collected::Records(ns_);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(Str(r[0], "type"), "track_signup");
    EXPECT_EQ(Str(r[0], "distinct_id"), "u-1");
    EXPECT_EQ(Str(r[0], "original_id"), device);
    EXPECT_EQ(Event(r[1]), "ZvEventLogin");
    EXPECT_EQ(Str(r[1], "distinct_id"), "u-1");
    const Value& p = Props(r[1]);
    EXPECT_EQ(Str(p, "zv_user_id"), "u-1");
    EXPECT_EQ(Str(p, "zv_login_id"), "u-1");
    EXPECT_EQ(Str(p, "zv_type"), "email");
    EXPECT_EQ(Str(p, "zv_result"), "Success");
    EXPECT_TRUE(p.Has("$is_first_time"));
    ASSERT_TRUE(p.Has("$is_login_id"));
    EXPECT_TRUE(p.Get("$is_login_id")->boolean);
    EXPECT_EQ(Setting(L"UserId"), "u-1");
    EXPECT_EQ(Setting(L"DistinctId"), "u-1");
    EXPECT_EQ(Setting(L"PrimaryDistinctId"), device);
    EXPECT_EQ(Setting(L"isLogined"), "OK");
    EXPECT_EQ(Setting(L"UserVipLevel"), "2");
    EXPECT_EQ(t->getPrimaryDistinctId(), device);
  }
  // The next run starts logged in, with the user id among the common properties.
  auto again = Started(Config());
  EXPECT_TRUE(zv_analytics::Sdk::IsLoginId());
  EXPECT_EQ(zv_analytics::Sdk::DistinctId(), "u-1");
  again->trackCrash("x");
  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(Str(Props(r[2]), "zv_user_id"), "u-1");
  EXPECT_EQ(Str(r[2], "distinct_id"), "u-1");
}

TEST_F(TrackerDelivery, ActivationAndPaymentProfileRecords) {
  auto t = Started(Config());
  t->trackActivity(ZvEventActivity{}, kNone);
  auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 11u);
  const struct {
    const char* type;
    const char* key;
  } profile[] = {
      {"profile_set_once", "$first_visit_time"}, {"profile_set_once", "zv_first_visit_date"},
      {"profile_set", "zv_last_visit_date"},     {"profile_set", "zv_os"},
      {"profile_set", "zv_os_version"},          {"profile_set", "zv_app_store"},
      {"profile_set", "zv_app_platform"},        {"profile_set", "zv_last_app_id"},
      {"profile_set", "zv_last_app_version"},    {"profile_set_once", "$ios_install_source"},
  };
  for (size_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(profile[i].key);
    EXPECT_EQ(Str(r[i], "type"), profile[i].type);
    EXPECT_TRUE(Props(r[i]).Has(profile[i].key));
    EXPECT_FALSE(r[i].Has("event"));
  }
  const std::string visit = Str(Props(r[0]), "$first_visit_time");
  EXPECT_EQ(Str(Props(r[1]), "zv_first_visit_date"), visit);
  EXPECT_EQ(Str(Props(r[2]), "zv_last_visit_date"), visit);
  EXPECT_EQ(Str(Props(r[7]), "zv_last_app_id"), app_);
  const Value& activity = Props(r[10]);
  EXPECT_EQ(Event(r[10]), "ZvEventActivity");
  EXPECT_EQ(Str(activity, "$ios_install_source"), "android_id=123##imei=1234##mac=123");
  EXPECT_EQ(Str(activity, "$user_agent").rfind("Mozilla/5.0(Windows ", 0), 0u);
  EXPECT_EQ(Str(activity, "$app_version"), "2.0");
  EXPECT_EQ(Str(activity, "zv_app_store"), "store.exe");

  ZvEventPayment pay;
  pay.orderId = "o-1";
  pay.paidPlatform = ZvPaidPlatform::PayPal;
  pay.currency = ZvCurrency::EUR;
  pay.paidAmount = 9.5;
  pay.originalAmount = 12;
  pay.result = ZvResult::Success;
  pay.iapType = ZvIapType::AutoRenewable;
  t->trackPayment(pay, kNone);
  r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 16u);
  const Value& payment = Props(r[11]);
  EXPECT_EQ(Event(r[11]), "ZvEventPayment");
  EXPECT_EQ(Str(payment, "zv_paid_platform"), "PayPal");
  EXPECT_EQ(Str(payment, "zv_currency"), "EUR");
  EXPECT_EQ(Str(payment, "zv_iap_type"), "AutoRenewable");
  EXPECT_EQ(payment.Get("zv_paid_amount")->text, "9.5");
  EXPECT_EQ(Str(r[12], "type"), "profile_increment");
  EXPECT_EQ(Props(r[12]).Get("zv_paid_count")->text, "1");
  EXPECT_EQ(Str(r[13], "type"), "profile_increment");
  EXPECT_EQ(Props(r[13]).Get("zv_consumption")->text, "9.5");
  EXPECT_EQ(Str(r[14], "type"), "profile_set_once");
  EXPECT_TRUE(Props(r[14]).Has("zv_first_paid_date"));
  EXPECT_EQ(Str(r[15], "type"), "profile_set");
  EXPECT_TRUE(Props(r[15]).Has("zv_last_paid_date"));
  EXPECT_EQ(Setting(L"UserVipLevel"), "1");
}

TEST_F(TrackerDelivery, StartUpFailuresLeaveASilentOrBareTracker) {
  TrackerConfig noStore = Config();
  noStore.appStore.clear();
  CreateTracker(noStore);
  ASSERT_NE(CurrentTracker(), nullptr);
  ZvEventTask task;
  task.name = "step";
  CurrentTracker()->trackTask(task, kNone);
  CurrentTracker()->trackCrash("c");
  ReleaseTracker();
  EXPECT_EQ(Collected::Attempts(ns_), 0);
  EXPECT_FALSE(TrackerFiles::Exists(TrackerFiles::DataDir(app_)));

  // An unknown edition stops start-up after the SDK started: events go without
  // the common properties.
  TrackerConfig edition = Config();
  edition.edition = 2;
  auto t = std::make_unique<AnalyticsTrackerImpl>(edition);
  try {
    t->init();
    ADD_FAILURE() << "edition 2 accepted";
  } catch (const ZvException& e) {
    EXPECT_STREQ(e.what(), "Unknown edition [2]!");
  }
  t->trackCrash("c");
  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(Props(r[0]).Keys(), (std::vector<std::string>{"$lib", "$lib_version", "app_crashed_reason"}));
}

TEST_F(TrackerDelivery, ASecondTrackerReplacesTheFirstAndStillDelivers) {
  CreateTracker(Config());
  ZvEventTask task;
  task.name = "first";
  CurrentTracker()->trackTask(task, kNone);
  CreateTracker(Config());  // the first shuts down (delivering) before the second starts
  EXPECT_EQ(Collected::Records(ns_).size(), 1u);
  CurrentTracker()->trackCrash("second");
  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(Event(r[1]), "AppCrashed");
  EXPECT_EQ(Str(Props(r[1]), "zv_app_id"), app_);
}

TEST_F(TrackerDelivery, RefusedAtShutdownTheRecordsWaitForTheNextRun) {
  ASSERT_TRUE(CollectorClient::SetMode(ns_, "500"));
  {
    auto t = Started(Config());
    ZvEventTask task;
    for (const char* name : {"one", "two"}) {
      task.name = name;
      t->trackTask(task, kNone);
    }
  }
  EXPECT_EQ(Collected::Attempts(ns_), 3) << "three tries at shutdown";
  std::ifstream staged(TrackerFiles::DataDir(app_) + app_ + "_ZVSCache.txt", std::ios::binary);
  std::string line;
  int lines = 0;
  while (std::getline(staged, line)) lines += line.find("\"ZvEventTask\"") != std::string::npos;
  EXPECT_EQ(lines, 2);
  staged.close();

  ASSERT_TRUE(CollectorClient::SetMode(ns_, "200"));
  auto t = Started(Config());
  t->trackCrash("after");
  const auto r = Collected::Records(ns_);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(Str(Props(r[0]), "zv_task_name"), "one");
  EXPECT_EQ(Str(Props(r[1]), "zv_task_name"), "two");
  EXPECT_EQ(Event(r[2]), "AppCrashed");
}

}  // namespace
