// The profile rule table and the typed profile calls: which record each value
// becomes, and the refusals. Records are read back from the queue's staging file,
// which the SDK's teardown writes (the server address is never reached).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "analytics/sdk/record_queue.h"
#include "analytics/sdk/sdk.h"
#include "analytics/tracker/profile_rules.h"
#include "analytics/tracker/zv_exception.h"
#include "support/strict_json.h"
#include "support/test_env.h"

namespace {

using namespace zorvik::analytics;
using StrictJson::Value;

class ProfileRules : public testing::Test {
 protected:
  void SetUp() override {
    staging_ = zv_analytics::RecordQueue::StagingPathFor(
        TestEnv::TmpDir(), testing::UnitTest::GetInstance()->current_test_info()->name());
    std::remove(staging_.c_str());
    ASSERT_TRUE(zv_analytics::Sdk::Init(staging_, "http://127.0.0.1:9/sa?project=pc", "device-1", false));
  }
  void TearDown() override {
    zv_analytics::Sdk::Teardown();
    std::remove(staging_.c_str());
  }

  // Tears the SDK down and returns what it staged, oldest first.
  std::vector<Value> Staged() {
    zv_analytics::Sdk::Teardown();
    std::vector<Value> records;
    std::ifstream in(staging_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      Value v;
      EXPECT_TRUE(StrictJson::Parse(line, &v)) << line;
      records.push_back(v);
    }
    return records;
  }

  std::string staging_;
};

std::string Raised(const std::function<void()>& call) {
  try {
    call();
  } catch (const ZvException& e) {
    return e.what();
  }
  return "";
}

TEST_F(ProfileRules, TableByKey) {
  const struct {
    const char* key;
    ProfileRule rule;
  } cases[] = {
      {"zv_os", ProfileRule::Set},           {"zv_last_paid_date", ProfileRule::Set},
      {"zv_city", ProfileRule::Set},         {"$first_visit_time", ProfileRule::SetOnce},
      {"zv_first_paid_date", ProfileRule::SetOnce}, {"$ios_install_source", ProfileRule::SetOnce},
      {"zv_visit_count", ProfileRule::Add},  {"zv_consumption", ProfileRule::Add},
      {"zv_unknown", ProfileRule::None},     {"ZV_OS", ProfileRule::None},
  };
  for (const auto& c : cases) EXPECT_EQ(ProfileRuleFor(c.key), c.rule) << c.key;
}

TEST_F(ProfileRules, ValuesBecomeTheirRulesRecords) {
  ProfileUserPropertyString("zv_os", "Windows");
  ProfileUserPropertyString("$ios_install_source", "src");
  ProfileUserPropertyNumber("zv_paid_count", int32_t{1});
  ProfileUserPropertyNumber("zv_consumption", 12.5);
  ProfileUserPropertyNumber("zv_user_vip_level", int32_t{3});
  ProfileUserPropertyNumber("zv_first_paid_date", 2.0);
  ProfileUserPropertyDateTime("$first_visit_time", 1700000000LL);
  ProfileUserPropertyDateTime("zv_last_visit_date", 1700000000250LL);
  const auto r = Staged();
  const struct {
    const char* type;
    const char* key;
    const char* json;  // the value as written
  } expected[] = {
      {"profile_set", "zv_os", "Windows"},
      {"profile_set_once", "$ios_install_source", "src"},
      {"profile_increment", "zv_paid_count", "1"},
      {"profile_increment", "zv_consumption", "12.5"},
      {"profile_set", "zv_user_vip_level", "3"},
      {"profile_set_once", "zv_first_paid_date", "2"},
  };
  ASSERT_EQ(r.size(), 8u);
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(expected[i].key);
    EXPECT_EQ(r[i].Get("type")->text, expected[i].type);
    EXPECT_EQ(r[i].Get("distinct_id")->text, "device-1");
    const Value* props = r[i].Get("properties");
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(props->Keys(), std::vector<std::string>{expected[i].key});
    EXPECT_EQ(props->Get(expected[i].key)->text, expected[i].json);
  }
  // Seconds and milliseconds read apart by size: both are local times of the same second.
  EXPECT_EQ(r[6].Get("type")->text, "profile_set_once");
  EXPECT_EQ(r[7].Get("type")->text, "profile_set");
  const std::string seconds = r[6].Get("properties")->Get("$first_visit_time")->text;
  const std::string millis = r[7].Get("properties")->Get("zv_last_visit_date")->text;
  ASSERT_EQ(seconds.size(), 23u) << seconds;
  EXPECT_EQ(seconds.substr(19), ".000");
  EXPECT_EQ(millis.substr(19), ".250");
  EXPECT_EQ(seconds.substr(0, 19), millis.substr(0, 19));
}

TEST_F(ProfileRules, RefusalsRecordNothing) {
  const struct {
    const char* what;
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {"string accumulated", [] { ProfileUserPropertyString("zv_visit_count", "3"); },
       "user property [zv_visit_count] is string type value, it cannot be accumulated!"},
      {"unknown string key", [] { ProfileUserPropertyString("zv_nothing", "x"); },
       "Not supported user property [zv_nothing]!"},
      {"unknown number key", [] { ProfileUserPropertyNumber("zv_nothing", int32_t{1}); },
       "Not supported user property [zv_nothing]!"},
      {"unknown double key", [] { ProfileUserPropertyNumber("", 1.0); }, "Not supported user property []!"},
      {"time accumulated", [] { ProfileUserPropertyDateTime("zv_paid_count", 1700000000LL); },
       "user property [zv_paid_count] is boolean value, it cannot be accumulative!"},
      {"unknown time key", [] { ProfileUserPropertyDateTime("zv_nothing", 1LL); },
       "Not supported user property [zv_nothing]!"},
  };
  for (const auto& c : cases) EXPECT_EQ(Raised(c.call), c.message) << c.what;
  EXPECT_TRUE(Staged().empty());
}

}  // namespace
