// The input checks and their exact messages on standard error: ids, names,
// string properties (length and the UTF-8 acceptance rule) and the reserved keys.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "analytics/sdk/checks.h"
#include "analytics/sdk/properties_node.h"
#include "analytics/sdk/sdk.h"
#include "analytics/sdk/utf8_rule.h"
#include "support/test_env.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using zv_analytics::PropertiesNode;

struct CheckCase {
  std::string value;
  bool accepted;
  std::string message;
};

TEST(Checks, LengthCheckOfIds) {
  const CheckCase cases[] = {
      {"u", true, ""},
      {std::string(255, 'a'), true, ""},
      {std::string(256, 'a'), false, "The Distinct ID is too long, max length is 255.\n"},
      {"", false, "The Distinct ID is empty.\n"},
      {"\xE4\xB8\xAD id with blanks", true, ""},
  };
  for (const CheckCase& c : cases) {
    CaptureStderr();
    EXPECT_EQ(zv_analytics::CheckLength(c.value, "Distinct ID"), c.accepted) << c.value.size();
    EXPECT_EQ(GetCapturedStderr(), c.message) << c.value.size();
  }
}

TEST(Checks, NameCheckOfEventNamesAndKeys) {
  const std::string tooLong = "The Event Name is empty or too long, max length is 100";
  const std::string invalid = "The Event Name need to be a valid variable name.";
  const CheckCase cases[] = {
      {std::string(100, 'e'), true, ""},
      {std::string(101, 'e'), false, tooLong},
      {"", false, tooLong},
      {"ZvEventClick", true, ""},
      {"$SignUp", true, ""},
      {"_a1$", true, ""},
      {"a", true, ""},
      {"1event", false, invalid},
      {"zv-name", false, invalid},
      {"zv name", false, invalid},
      {"zv.name", false, invalid},
      {"\xC3\xA9v", false, invalid},
      {"ev\xC3\xA9", false, invalid},
      {std::string(99, 'e') + "!", false, invalid},
  };
  for (const CheckCase& c : cases) {
    CaptureStderr();
    EXPECT_EQ(zv_analytics::CheckName(c.value, "Event Name"), c.accepted) << c.value;
    EXPECT_EQ(GetCapturedStderr(), c.message) << c.value;
  }
}

// The UTF-8 acceptance rule byte range by byte range, each edge on both sides.
TEST(Checks, Utf8AcceptanceRule) {
  struct Utf8Case { std::string bytes; bool accepted; const char* what; };
  const Utf8Case cases[] = {
      {"", true, "empty"},
      {"plain ~ text", true, "printable ascii"},
      {"\t\n\r", true, "tab, line feed, carriage return"},
      {std::string("\x00", 1), false, "nul"},
      {"\x01", false, "byte 01"},
      {"\x08", false, "backspace"},
      {"\x0B", false, "vertical tab"},
      {"\x0C", false, "form feed"},
      {"\x1F", false, "byte 1F"},
      {"\x7F", false, "byte 7F"},
      {"\xC2\x80", true, "lowest two-byte"},
      {"\xDF\xBF", true, "highest two-byte"},
      {"\xC0\x80", false, "overlong nul"},
      {"\xC1\xBF", false, "overlong two-byte"},
      {"\xC2\x7F", false, "bad continuation"},
      {"\xC2\xC0", false, "continuation too high"},
      {"\xC2", false, "cut two-byte"},
      {"\xE0\xA0\x80", true, "lowest three-byte"},
      {"\xE0\x9F\xBF", false, "overlong three-byte"},
      {"\xE1\x80\x80", true, "E1"},
      {"\xEC\xBF\xBF", true, "EC"},
      {"\xED\x9F\xBF", true, "last before surrogates"},
      {"\xED\xA0\x80", false, "high surrogate"},
      {"\xED\xBF\xBF", false, "low surrogate"},
      {"\xEE\x80\x80", true, "EE"},
      {"\xEF\xBF\xBF", true, "EF"},
      {"\xE4\xB8", false, "cut three-byte"},
      {"\xF0\x90\x80\x80", true, "lowest four-byte"},
      {"\xF0\x8F\xBF\xBF", false, "overlong four-byte"},
      {"\xF3\xBF\xBF\xBF", true, "F3"},
      {"\xF4\x8F\xBF\xBF", true, "U+10FFFF"},
      {"\xF4\x90\x80\x80", false, "above U+10FFFF"},
      {"\xF5\x80\x80\x80", false, "F5"},
      {"\xFF", false, "FF"},
      {"\x80", false, "lone continuation"},
      {"\xF0\x90\x80", false, "cut four-byte"},
      {"ok\xC3\xA9ok\x01", false, "bad byte after good text"},
  };
  for (const Utf8Case& c : cases) EXPECT_EQ(zv_analytics::IsAcceptedUtf8(c.bytes), c.accepted) << c.what;
}

TEST(Checks, StringPropertyIsSkippedWithItsMessage) {
  struct StringCase { std::string value; bool kept; std::string message; };
  const std::string key = "zv_name";
  const std::string long8193(8193, 'x');
  const StringCase cases[] = {
      {std::string(8192, 'x'), true, ""},
      {long8193, false, "String property 'zv_name' is too long, value: " + long8193 + "\n"},
      {"a\x01", false, "String property 'zv_name' is not valid UTF-8 string, value: a\x01\n"},
      {"a\x7F", false, "String property 'zv_name' is not valid UTF-8 string, value: a\x7F\n"},
      {"\xC0\xAF", false, "String property 'zv_name' is not valid UTF-8 string, value: \xC0\xAF\n"},
      {"\xED\xA0\x80", false, "String property 'zv_name' is not valid UTF-8 string, value: \xED\xA0\x80\n"},
      {"tab\tlf\ncr\r", true, ""},
  };
  for (const StringCase& c : cases) {
    PropertiesNode p;
    p.SetNumber("other", 1);
    CaptureStderr();
    EXPECT_EQ(p.SetString(key, c.value), c.kept) << c.value.size();
    EXPECT_EQ(GetCapturedStderr(), c.message) << c.value.size();
    EXPECT_EQ(p.Find(key) != nullptr, c.kept);
    EXPECT_NE(p.Find("other"), nullptr);
  }
  // A rejected value leaves an earlier value of the key in place.
  PropertiesNode p;
  p.SetString(key, "first");
  CaptureStderr();
  EXPECT_FALSE(p.SetString(key, "\x01"));
  GetCapturedStderr();
  EXPECT_EQ(p.ToJson(), "{\"zv_name\":\"first\"}");
  // The C-string form converts first; a null pointer is no string at all.
  EXPECT_TRUE(p.SetString(key, static_cast<const char*>("second")));
  EXPECT_FALSE(p.SetString(key, static_cast<const char*>(nullptr)));
  EXPECT_EQ(p.ToJson(), "{\"zv_name\":\"second\"}");
}

TEST(Checks, CheckPropertiesOfKeysAndReservedKeys) {
  struct PropsCase { const char* what; std::function<void(PropertiesNode*)> build; bool ok; std::string message; };
  const PropsCase cases[] = {
      {"plain", [](PropertiesNode* p) { p->SetString("zv_a", "1"); p->SetNumber("$b", 2); }, true, ""},
      {"$time as DateTime", [](PropertiesNode* p) { p->SetDateTime("$time", 1700000000, 1); }, true, ""},
      {"$time as string", [](PropertiesNode* p) { p->SetString("$time", "now"); }, false,
       "The property '$time' should be DateTime type."},
      {"$time as integer", [](PropertiesNode* p) { p->SetNumber("$time", 5); }, false,
       "The property '$time' should be DateTime type."},
      {"$project as string", [](PropertiesNode* p) { p->SetString("$project", "pc"); }, true, ""},
      {"$project as bool", [](PropertiesNode* p) { p->SetBool("$project", true); }, false,
       "The property '$project' should be String type."},
      {"bad key", [](PropertiesNode* p) { p->SetNumber("9lives", 1); }, false,
       "The Property Key need to be a valid variable name."},
      {"long key", [](PropertiesNode* p) { p->SetNumber(std::string(101, 'k'), 1); }, false,
       "The Property Key is empty or too long, max length is 100"},
      {"empty key", [](PropertiesNode* p) { p->SetNumber("", 1); }, false,
       "The Property Key is empty or too long, max length is 100"},
      {"first failure only", [](PropertiesNode* p) { p->SetNumber("1a", 1); p->SetNumber("2b", 1); }, false,
       "The Property Key need to be a valid variable name."},
  };
  for (const PropsCase& c : cases) {
    PropertiesNode p;
    c.build(&p);
    CaptureStderr();
    EXPECT_EQ(p.CheckProperties(), c.ok) << c.what;
    EXPECT_EQ(GetCapturedStderr(), c.message) << c.what;
  }
}

std::string StagingPath(const char* name) { return TestEnv::Join(TestEnv::TmpDir(), name); }

TEST(SdkInit, DistinctIdCheckAndSecondInit) {
  const std::string url = "http://127.0.0.1:1/unused";
  CaptureStderr();
  EXPECT_FALSE(zv_analytics::Sdk::Init(StagingPath("a.txt"), url, std::string(256, 'd'), false));
  EXPECT_EQ(GetCapturedStderr(), "The Distinct ID is too long, max length is 255.\n");
  CaptureStderr();
  EXPECT_FALSE(zv_analytics::Sdk::Init(StagingPath("a.txt"), url, "", false));
  EXPECT_EQ(GetCapturedStderr(), "The Distinct ID is empty.\n");
  EXPECT_EQ(zv_analytics::Sdk::DistinctId(), "");

  const std::string id255(255, 'd');
  ASSERT_TRUE(zv_analytics::Sdk::Init(StagingPath("a.txt"), url, id255, false));
  EXPECT_TRUE(zv_analytics::Sdk::Init(StagingPath("b.txt"), url, "other", true));
  EXPECT_EQ(zv_analytics::Sdk::DistinctId(), id255);
  EXPECT_FALSE(zv_analytics::Sdk::IsLoginId());
  zv_analytics::Sdk::Teardown();
  EXPECT_EQ(zv_analytics::Sdk::DistinctId(), "");
}

// Before Init (and after teardown) nothing is recorded and nothing is written,
// not even the complaints about bad input.
TEST(SdkInit, RecordOperationsWithoutSdkDoNothing) {
  PropertiesNode bad;
  bad.SetNumber("9bad", 1);
  CaptureStderr();
  zv_analytics::Sdk::Track("1bad name", bad);
  zv_analytics::Sdk::TrackActivation("ZvEventActivity", bad);
  zv_analytics::Sdk::Login("");
  zv_analytics::Sdk::ProfileSet("k", std::string("\x01"));
  zv_analytics::Sdk::ProfileSetOnce("k", std::string(9000, 'x'));
  zv_analytics::Sdk::ProfileIncrement("k", 1);
  zv_analytics::Sdk::ProfileAppend("k", "v");
  zv_analytics::Sdk::AddCommonProperties(bad);
  EXPECT_FALSE(zv_analytics::Sdk::AddRecord("track", "ok", PropertiesNode(), "id", ""));
  EXPECT_FALSE(zv_analytics::Sdk::FlushAll());
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(zv_analytics::Sdk::DistinctId(), "");
}

}  // namespace
