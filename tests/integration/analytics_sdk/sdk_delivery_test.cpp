// Records as the collector receives them, through the real queue, encoding and
// libcurl: record shapes, identity, common properties, batches, delivery failures
// and the staging file across a restart.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "analytics/sdk/record_queue.h"
#include "analytics/sdk/sdk.h"
#include "analytics/sdk/track_id.h"
#include "support/collector_client.h"
#include "support/test_env.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using zv_analytics::PropertiesNode;
using zv_analytics::Sdk;
using StrictJson::Value;

class SdkDelivery : public testing::Test {
 protected:
  static void SetUpTestSuite() { curl_global_init(CURL_GLOBAL_ALL); }
  static void TearDownTestSuite() { curl_global_cleanup(); }

  void SetUp() override {
    ASSERT_NE(TestEnv::ServerPort("collector"), 0) << "collector not running";
    ns_ = std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
          std::to_string(zv_analytics::UnixMilliseconds());
    staging_ = zv_analytics::RecordQueue::StagingPathFor(TestEnv::TmpDir(), ns_);
    std::remove(staging_.c_str());
  }
  void TearDown() override { Sdk::Teardown(); }

  bool Start(const std::string& id, bool login = false) {
    return Sdk::Init(staging_, CollectorClient::BatchUrl(ns_), id, login);
  }

  Value State() {
    Value state;
    EXPECT_TRUE(CollectorClient::State(ns_, &state));
    return state;
  }
  // Every record the collector kept, oldest batch first.
  std::vector<Value> Records() {
    std::vector<Value> out;
    const Value state = State();
    const Value* batches = state.Get("batches");
    if (!batches) return out;
    for (const Value& b : batches->items)
      for (const Value& r : b.Get("records")->items) out.push_back(r);
    return out;
  }
  std::string ReadStaging() {
    std::ifstream f(staging_, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }

  std::string ns_;
  std::string staging_;
};

std::string Str(const Value& record, const std::string& key) {
  const Value* v = record.Get(key);
  return v && v->type == Value::Type::kString ? v->text : "<absent or not a string>";
}

const Value& Props(const Value& record) {
  static const Value kNone;
  const Value* p = record.Get("properties");
  return p ? *p : kNone;
}

TEST_F(SdkDelivery, TrackRecordWithCommonPropertiesAndOverride) {
  ASSERT_TRUE(Start("u1"));
  PropertiesNode common;
  common.SetString("zv_app_id", "Quibzip");
  common.SetString("zv_edition", "china");
  Sdk::AddCommonProperties(common);

  PropertiesNode p;
  p.SetString("zv_name", "ok");
  p.SetString("$lib", "mine");
  p.SetString("zv_edition", "overseas");
  p.SetNumber("zv_tab_index", 2);
  const long long before = zv_analytics::UnixMilliseconds();
  Sdk::Track("ZvEventClick", p);
  Sdk::Track("ZvEventView", PropertiesNode());
  const long long after = zv_analytics::UnixMilliseconds();
  ASSERT_TRUE(Sdk::FlushAll());

  const Value state = State();
  ASSERT_EQ(state.Get("batches")->items.size(), 1u);
  const Value& batch = state.Get("batches")->items[0];
  EXPECT_EQ(batch.Get("content_type")->text, "application/x-www-form-urlencoded");
  EXPECT_EQ(batch.Get("user_agent")->text, "ZvAnalytics CPP SDK 0.9");
  const auto records = Records();
  ASSERT_EQ(records.size(), 2u);

  const Value& click = records[0];
  EXPECT_EQ(click.Keys(), (std::vector<std::string>{"_track_id", "distinct_id", "event", "lib", "properties",
                                                    "time", "type"}));
  EXPECT_EQ(Str(click, "type"), "track");
  EXPECT_EQ(Str(click, "event"), "ZvEventClick");
  EXPECT_EQ(Str(click, "distinct_id"), "u1");
  const Value* lib = click.Get("lib");
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(lib->Keys(), (std::vector<std::string>{"$lib", "$lib_method", "$lib_version"}));
  EXPECT_EQ(Str(*lib, "$lib"), "cpp");
  EXPECT_EQ(Str(*lib, "$lib_method"), "code");
  EXPECT_EQ(Str(*lib, "$lib_version"), "0.9");
  EXPECT_EQ(Props(click).Keys(), (std::vector<std::string>{"$lib", "$lib_version", "zv_app_id", "zv_edition",
                                                           "zv_name", "zv_tab_index"}));
  EXPECT_EQ(Str(Props(click), "$lib"), "mine");
  EXPECT_EQ(Str(Props(click), "zv_edition"), "overseas");
  EXPECT_EQ(Str(Props(click), "zv_app_id"), "Quibzip");
  EXPECT_EQ(Props(click).Get("zv_tab_index")->text, "2");
  EXPECT_GE(click.Get("time")->Integer(), before);
  EXPECT_LE(click.Get("time")->Integer(), after);
  EXPECT_GE(click.Get("_track_id")->Integer(), 0);
  EXPECT_LE(click.Get("_track_id")->Integer(), 989989999);

  // The override held for that record only.
  EXPECT_EQ(Str(Props(records[1]), "$lib"), "cpp");
  EXPECT_EQ(Str(Props(records[1]), "zv_edition"), "china");
  EXPECT_FALSE(Props(records[1]).Has("$is_login_id"));
}

TEST_F(SdkDelivery, LoginSignUpAndLoggedInRecords) {
  ASSERT_TRUE(Start("anon-device"));
  Sdk::Login("user7");
  EXPECT_EQ(Sdk::DistinctId(), "user7");
  EXPECT_TRUE(Sdk::IsLoginId());
  Sdk::Track("ZvEventTask", PropertiesNode());
  Sdk::ProfileSet("zv_vip", 1);
  Sdk::Login("user8");  // already logged in: this sign-up carries the flag
  ASSERT_TRUE(Sdk::FlushAll());

  const auto r = Records();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].Keys(), (std::vector<std::string>{"_track_id", "distinct_id", "event", "lib", "original_id",
                                                   "properties", "time", "type"}));
  EXPECT_EQ(Str(r[0], "type"), "track_signup");
  EXPECT_EQ(Str(r[0], "event"), "$SignUp");
  EXPECT_EQ(Str(r[0], "distinct_id"), "user7");
  EXPECT_EQ(Str(r[0], "original_id"), "anon-device");
  EXPECT_EQ(Props(r[0]).Keys(), (std::vector<std::string>{"$lib", "$lib_version"}));

  EXPECT_EQ(Str(r[1], "distinct_id"), "user7");
  ASSERT_TRUE(Props(r[1]).Has("$is_login_id"));
  EXPECT_TRUE(Props(r[1]).Get("$is_login_id")->boolean);

  EXPECT_EQ(Str(r[2], "type"), "profile_set");
  EXPECT_EQ(Props(r[2]).Keys(), (std::vector<std::string>{"$is_login_id", "zv_vip"}));

  EXPECT_EQ(Str(r[3], "distinct_id"), "user8");
  EXPECT_EQ(Str(r[3], "original_id"), "user7");
  EXPECT_TRUE(Props(r[3]).Has("$is_login_id"));
}

TEST_F(SdkDelivery, ProfileRecordsCarryNoCommonPropertiesAndNoEvent) {
  ASSERT_TRUE(Start("p1"));
  PropertiesNode common;
  common.SetString("zv_app_id", "Quibzip");
  Sdk::AddCommonProperties(common);
  PropertiesNode many;
  many.SetString("zv_a", "x");
  many.SetNumber("zv_b", 3);
  Sdk::ProfileSet(many);
  Sdk::ProfileSet("zv_s", std::string("text"));
  Sdk::ProfileSet("zv_d", 2.5);
  Sdk::ProfileSetOnce(many);
  Sdk::ProfileSetOnce("zv_first", std::string("2024"));
  Sdk::ProfileSetOnce("zv_n", -4);
  Sdk::ProfileSetOnce("zv_f", 0.25);
  Sdk::ProfileIncrement(many);
  Sdk::ProfileIncrement("zv_visits", 1);
  Sdk::ProfileAppend("zv_tags", "t\"1");
  CaptureStderr();
  Sdk::ProfileSet("zv_bad", std::string("\x01"));  // skipped property: an empty profile record remains
  EXPECT_EQ(GetCapturedStderr(), "String property 'zv_bad' is not valid UTF-8 string, value: \x01\n");
  ASSERT_TRUE(Sdk::FlushAll());

  struct Expect { const char* type; const char* key; const char* json; };
  const Expect expected[] = {
      {"profile_set", "zv_a", "x"},           {"profile_set", "zv_s", "text"},
      {"profile_set", "zv_d", "2.5"},         {"profile_set_once", "zv_b", "3"},
      {"profile_set_once", "zv_first", "2024"}, {"profile_set_once", "zv_n", "-4"},
      {"profile_set_once", "zv_f", "0.25"},   {"profile_increment", "zv_b", "3"},
      {"profile_increment", "zv_visits", "1"}, {"profile_append", "zv_tags", ""},
      {"profile_set", nullptr, nullptr},
  };
  const auto r = Records();
  ASSERT_EQ(r.size(), std::size(expected));
  for (size_t i = 0; i < r.size(); ++i) {
    EXPECT_EQ(Str(r[i], "type"), expected[i].type) << i;
    EXPECT_FALSE(r[i].Has("event")) << i;
    EXPECT_FALSE(r[i].Has("original_id")) << i;
    EXPECT_FALSE(Props(r[i]).Has("$lib")) << i;
    EXPECT_FALSE(Props(r[i]).Has("zv_app_id")) << i;
    EXPECT_EQ(Str(r[i], "distinct_id"), "p1");
    if (!expected[i].key) {
      EXPECT_TRUE(Props(r[i]).members.empty());
      continue;
    }
    const Value* v = Props(r[i]).Get(expected[i].key);
    ASSERT_NE(v, nullptr) << i;
    if (v->type != Value::Type::kArray) {
      EXPECT_EQ(v->text, expected[i].json) << i;
    }
  }
  const Value* tags = Props(r[9]).Get("zv_tags");
  ASSERT_EQ(tags->type, Value::Type::kArray);
  ASSERT_EQ(tags->items.size(), 1u);
  EXPECT_EQ(tags->items[0].text, "t\"1");
}

TEST_F(SdkDelivery, TimeAndProjectAreLiftedOutOfTheProperties) {
  ASSERT_TRUE(Start("t1"));
  PropertiesNode timed;
  timed.SetDateTime("$time", 1700000000, 123);
  timed.SetString("$project", "pc_tests");
  timed.SetString("zv_name", "x");
  Sdk::Track("ZvEventView", timed);

  PropertiesNode badTime;
  badTime.SetString("$time", "2023-11-14");
  CaptureStderr();
  Sdk::Track("ZvEventView", badTime);
  EXPECT_EQ(GetCapturedStderr(), "The property '$time' should be DateTime type.");
  PropertiesNode badProject;
  badProject.SetNumber("$project", 7);
  CaptureStderr();
  Sdk::Track("ZvEventView", badProject);
  EXPECT_EQ(GetCapturedStderr(), "The property '$project' should be String type.");

  Sdk::Track("ZvEventClick", PropertiesNode());
  ASSERT_TRUE(Sdk::FlushAll());
  const auto r = Records();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].Get("time")->Integer(), 1700000000123LL);
  EXPECT_EQ(Str(r[0], "project"), "pc_tests");
  EXPECT_FALSE(Props(r[0]).Has("$time"));
  EXPECT_FALSE(Props(r[0]).Has("$project"));
  EXPECT_EQ(Str(Props(r[0]), "zv_name"), "x");
  EXPECT_FALSE(r[1].Has("project"));
}

TEST_F(SdkDelivery, RejectedRecordsAreNotQueued) {
  ASSERT_TRUE(Start("r1"));
  struct Case { std::string event; std::string key; std::string message; };
  const Case cases[] = {
      {std::string(101, 'E'), "zv_ok", "The Event Name is empty or too long, max length is 100"},
      {"", "zv_ok", "The Event Name is empty or too long, max length is 100"},
      {"9Event", "zv_ok", "The Event Name need to be a valid variable name."},
      {"ZvEventClick", "zv-bad", "The Property Key need to be a valid variable name."},
  };
  for (const Case& c : cases) {
    PropertiesNode p;
    p.SetNumber(c.key, 1);
    CaptureStderr();
    Sdk::Track(c.event, p);
    EXPECT_EQ(GetCapturedStderr(), c.message) << c.event;
  }
  Sdk::Track(std::string(100, 'E'), PropertiesNode());
  ASSERT_TRUE(Sdk::FlushAll());
  const auto r = Records();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(Str(r[0], "event"), std::string(100, 'E'));
}

TEST_F(SdkDelivery, ActivationAddsTheInstallSource) {
  ASSERT_TRUE(Start("a1"));
  Sdk::TrackActivation("ZvEventActivity", PropertiesNode());
  PropertiesNode own;
  own.SetString("$ios_install_source", "android_id=123##imei=1234##mac=123");
  Sdk::TrackActivation("ZvEventActivity", own);
  ASSERT_TRUE(Sdk::FlushAll());
  const auto r = Records();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(Str(r[0], "event"), "ZvEventActivity");
  EXPECT_EQ(Str(Props(r[0]), "$ios_install_source"), "");
  EXPECT_EQ(Str(Props(r[1]), "$ios_install_source"), "android_id=123##imei=1234##mac=123");
}

TEST_F(SdkDelivery, ThirtyOneRecordsGoOutAsThirtyAndOne) {
  ASSERT_TRUE(Start("b1"));
  for (int i = 0; i < 31; ++i) {
    PropertiesNode p;
    p.SetNumber("zv_seq", i);
    Sdk::Track("ZvEventTask", p);
  }
  ASSERT_TRUE(Sdk::FlushAll());
  EXPECT_TRUE(Sdk::FlushAll());  // nothing left: no post
  const Value state = State();
  const auto& batches = state.Get("batches")->items;
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_EQ(state.Get("attempts")->Integer(), 2);
  EXPECT_EQ(batches[0].Get("records")->items.size(), 30u);
  EXPECT_EQ(batches[1].Get("records")->items.size(), 1u);
  const auto r = Records();
  for (int i = 0; i < 31; ++i) EXPECT_EQ(Props(r[i]).Get("zv_seq")->Integer(), i);
  // Compressed and encoded, the body is smaller than the raw JSON it carries.
  EXPECT_LT(batches[0].Get("body_bytes")->Integer(), batches[0].Get("json_bytes")->Integer());
}

TEST_F(SdkDelivery, RefusedBatchesStayQueued) {
  struct Case { const char* mode; const char* reply; };
  const Case cases[] = {{"500", "answered 500"}, {"201", "answered 201"}, {"302", "moved"}};
  ASSERT_TRUE(Start("f1"));
  PropertiesNode p;
  p.SetString("zv_name", "kept");
  Sdk::Track("ZvEventClick", p);
  int attempts = 0;
  for (const Case& c : cases) {
    ASSERT_TRUE(CollectorClient::SetMode(ns_, c.mode));
    CaptureStderr();
    EXPECT_FALSE(Sdk::FlushAll()) << c.mode;
    EXPECT_EQ(GetCapturedStderr(), std::string("ZvAnalytics SDK send failed: ") + c.reply + "\n");
    ++attempts;
    const Value state = State();
    EXPECT_EQ(state.Get("attempts")->Integer(), attempts) << c.mode;
    EXPECT_EQ(state.Get("redirected")->Integer(), 0) << "redirect followed";
  }
  ASSERT_TRUE(CollectorClient::SetMode(ns_, "200"));
  ASSERT_TRUE(Sdk::FlushAll());
  const auto r = Records();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(Str(Props(r[0]), "zv_name"), "kept");
}

TEST_F(SdkDelivery, HangingServerTimesOutAfterThreeSeconds) {
  ASSERT_TRUE(Start("h1"));
  Sdk::Track("ZvEventClick", PropertiesNode());
  ASSERT_TRUE(CollectorClient::SetMode(ns_, "hang"));
  CaptureStderr();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(Sdk::FlushAll());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(GetCapturedStderr(), "ZvAnalytics SDK send failed: Timeout was reached\n");
  EXPECT_GE(seconds, 2.5);
  EXPECT_LE(seconds, 8.0);
  ASSERT_TRUE(CollectorClient::SetMode(ns_, "200"));
  ASSERT_TRUE(Sdk::FlushAll());
  EXPECT_EQ(Records().size(), 1u);
}

TEST_F(SdkDelivery, NoServerListening) {
  ASSERT_TRUE(Sdk::Init(staging_, "http://127.0.0.1:1/sa?project=pc", "n1", false));
  Sdk::Track("ZvEventClick", PropertiesNode());
  CaptureStderr();
  EXPECT_FALSE(Sdk::FlushAll());
  EXPECT_EQ(GetCapturedStderr(), "ZvAnalytics SDK send failed: Couldn't connect to server\n");
  Sdk::Teardown();  // the record is saved for the next run
  const std::string saved = ReadStaging();
  EXPECT_EQ(saved.rfind("{\"_track_id\":", 0), 0u) << saved;
  EXPECT_EQ(saved.substr(saved.size() - 3), "}\r\n");
}

TEST_F(SdkDelivery, UnsentRecordsSurviveARestart) {
  ASSERT_TRUE(Start("s1"));
  for (int i = 0; i < 3; ++i) {
    PropertiesNode p;
    p.SetNumber("zv_seq", i);
    Sdk::Track("ZvEventTask", p);
  }
  Sdk::Teardown();
  EXPECT_EQ(State().Get("attempts")->Integer(), 0);

  ASSERT_TRUE(Start("s1"));
  PropertiesNode p;
  p.SetNumber("zv_seq", 3);
  Sdk::Track("ZvEventTask", p);
  ASSERT_TRUE(Sdk::FlushAll());
  EXPECT_EQ(ReadStaging(), "");
  const auto r = Records();
  ASSERT_EQ(r.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Props(r[i]).Get("zv_seq")->Integer(), i);
}

// Records built on eight threads while the main thread flushes, with the common
// properties and the identity changing meanwhile: every record arrives once.
TEST_F(SdkDelivery, TrackFromEightThreadsDuringFlushAll) {
  ASSERT_TRUE(Start("c1"));
  constexpr int kThreads = 8;
  constexpr int kPerThread = 40;
  std::atomic<int> running{kThreads};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &running] {
      for (int i = 0; i < kPerThread; ++i) {
        PropertiesNode p;
        p.SetNumber("zv_thread", t);
        p.SetNumber("zv_seq", i);
        Sdk::Track("ZvEventTask", p);
        if (t == 0 && i == kPerThread / 2) Sdk::Login("c1-user");
        if (t == 1 && i % 10 == 0) {
          PropertiesNode common;
          common.SetNumber("zv_round", i);
          Sdk::AddCommonProperties(common);
        }
      }
      running--;
    });
  }
  while (running.load() > 0) EXPECT_TRUE(Sdk::FlushAll());
  for (auto& th : threads) th.join();
  ASSERT_TRUE(Sdk::FlushAll());

  std::set<std::pair<long long, long long>> seen;
  std::vector<long long> last(kThreads, -1);
  int signUps = 0;
  for (const Value& r : Records()) {
    if (Str(r, "type") == "track_signup") {
      ++signUps;
      continue;
    }
    const long long t = Props(r).Get("zv_thread")->Integer();
    const long long i = Props(r).Get("zv_seq")->Integer();
    EXPECT_TRUE(seen.insert({t, i}).second) << t << "/" << i;
    EXPECT_GT(i, last[t]);
    last[t] = i;
  }
  EXPECT_EQ(signUps, 1);
  EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kPerThread));
}

}  // namespace
