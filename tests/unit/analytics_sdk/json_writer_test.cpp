// The compact JSON text of the property nodes: exact strings for a table of nodes,
// key order, deep copies, Merge and removal; and every text the writer makes parses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <limits>
#include <string>

#include "analytics/sdk/properties_node.h"
#include "support/strict_json.h"

namespace {

using zv_analytics::PropertiesNode;
using zv_analytics::utils::ObjectNode;

void ExpectParses(const std::string& json) {
  StrictJson::Value v;
  std::string error;
  EXPECT_TRUE(StrictJson::Parse(json, &v, &error)) << json << ": " << error;
}

struct Case {
  const char* name;
  std::function<void(ObjectNode*)> build;
  const char* json;
};

TEST(JsonWriter, NodesAsExactText) {
  ObjectNode inner;
  inner.SetNumber("b", 2);
  inner.SetString("a", "x");
  const Case cases[] = {
      {"empty", [](ObjectNode*) {}, "{}"},
      {"integer", [](ObjectNode* n) { n->SetNumber("k", int64_t{-42}); }, "{\"k\":-42}"},
      {"int32 sign-extends", [](ObjectNode* n) { n->SetNumber("k", int32_t{-7}); }, "{\"k\":-7}"},
      {"int64 extremes",
       [](ObjectNode* n) {
         n->SetNumber("max", std::numeric_limits<int64_t>::max());
         n->SetNumber("min", std::numeric_limits<int64_t>::min());
       },
       "{\"max\":9223372036854775807,\"min\":-9223372036854775808}"},
      {"number half", [](ObjectNode* n) { n->SetNumber("k", 0.5); }, "{\"k\":0.5}"},
      {"number exponent", [](ObjectNode* n) { n->SetNumber("k", 1234567.0); }, "{\"k\":1.23457e+06}"},
      {"number six digits", [](ObjectNode* n) { n->SetNumber("k", 123456.0); }, "{\"k\":123456}"},
      {"number small", [](ObjectNode* n) { n->SetNumber("k", 0.0001); }, "{\"k\":0.0001}"},
      {"number tiny", [](ObjectNode* n) { n->SetNumber("k", 0.00001234); }, "{\"k\":1.234e-05}"},
      {"number negative", [](ObjectNode* n) { n->SetNumber("k", -2.25); }, "{\"k\":-2.25}"},
      {"number rounding", [](ObjectNode* n) { n->SetNumber("k", 3.14159265); }, "{\"k\":3.14159}"},
      {"number huge", [](ObjectNode* n) { n->SetNumber("k", 1e300); }, "{\"k\":1e+300}"},
      {"number whole", [](ObjectNode* n) { n->SetNumber("k", 3.0); }, "{\"k\":3}"},
      {"bools", [](ObjectNode* n) { n->SetBool("t", true); n->SetBool("f", false); },
       "{\"f\":false,\"t\":true}"},
      {"plain string", [](ObjectNode* n) { n->SetString("s", "hello world"); }, "{\"s\":\"hello world\"}"},
      {"escapes",
       [](ObjectNode* n) { n->SetString("s", "a\tb\nc\rd\"e\\f/g"); },
       "{\"s\":\"a\\tb\\nc\\rd\\\"e\\\\f/g\"}"},
      {"utf-8 kept", [](ObjectNode* n) { n->SetString("s", "\xE4\xB8\xAD\xE6\x96\x87 \xC3\xA9"); },
       "{\"s\":\"\xE4\xB8\xAD\xE6\x96\x87 \xC3\xA9\"}"},
      {"empty string", [](ObjectNode* n) { n->SetString("s", ""); }, "{\"s\":\"\"}"},
      {"list", [](ObjectNode* n) { n->SetList("l", {"a", "b\"c", ""}); }, "{\"l\":[\"a\",\"b\\\"c\",\"\"]}"},
      {"empty list", [](ObjectNode* n) { n->SetList("l", {}); }, "{\"l\":[]}"},
      {"nested object", [&inner](ObjectNode* n) { n->SetObject("o", inner); n->SetNumber("z", 1); },
       "{\"o\":{\"a\":\"x\",\"b\":2},\"z\":1}"},
      {"replace keeps one entry", [](ObjectNode* n) { n->SetString("k", "old"); n->SetNumber("k", 5); },
       "{\"k\":5}"},
      {"byte-wise key order",
       [](ObjectNode* n) {
         for (const char* k : {"b", "_x", "a", "Z", "$y", "ab", "A", "$", "a1"}) n->SetNumber(k, 0);
       },
       "{\"$\":0,\"$y\":0,\"A\":0,\"Z\":0,\"_x\":0,\"a\":0,\"a1\":0,\"ab\":0,\"b\":0}"},
      {"high bytes sort after ascii",
       [](ObjectNode* n) { n->SetNumber("\xC3\xA9", 1); n->SetNumber("z", 2); },
       "{\"z\":2,\"\xC3\xA9\":1}"},
  };
  for (const Case& c : cases) {
    ObjectNode node;
    c.build(&node);
    EXPECT_EQ(node.ToJson(), c.json) << c.name;
    ExpectParses(node.ToJson());
  }
}

// What the input checks cannot keep out (keys and list items are not checked)
// still gives text that parses.
TEST(JsonWriter, GuardsKeepEveryTextParsable) {
  const Case cases[] = {
      {"not finite",
       [](ObjectNode* n) {
         n->SetNumber("inf", std::numeric_limits<double>::infinity());
         n->SetNumber("nan", std::nan(""));
       },
       "{\"inf\":null,\"nan\":null}"},
      {"control byte in list", [](ObjectNode* n) { n->SetList("l", {std::string("a\x01", 2), "\x1f"}); },
       "{\"l\":[\"a\\u0001\",\"\\u001F\"]}"},
      {"quote and control in key", [](ObjectNode* n) { n->SetNumber("a\"\x02", 1); },
       "{\"a\\\"\\u0002\":1}"},
      {"bad utf-8 in list", [](ObjectNode* n) { n->SetList("l", {"\xC0\xAF", "\xED\xA0\x80", "\xE4\xB8"}); },
       "{\"l\":[\"\xEF\xBF\xBD\xEF\xBF\xBD\",\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\",\"\xEF\xBF\xBD\xEF\xBF\xBD\"]}"},
      {"nul byte in key", [](ObjectNode* n) { n->SetBool(std::string("k\0", 2), true); },
       "{\"k\\u0000\":true}"},
  };
  for (const Case& c : cases) {
    ObjectNode node;
    c.build(&node);
    EXPECT_EQ(node.ToJson(), c.json) << c.name;
    ExpectParses(node.ToJson());
  }
}

// The expected text comes from mktime, the inverse of the conversion under test.
TEST(JsonWriter, DateTimeIsLocalTimeWithMilliseconds) {
  struct Local { int year, month, day, hour, minute, second, ms; const char* text; };
  const Local cases[] = {
      {2023, 11, 14, 22, 13, 20, 123, "\"2023-11-14 22:13:20.123\""},
      {2024, 2, 29, 0, 0, 0, 0, "\"2024-02-29 00:00:00.000\""},
      {2009, 7, 1, 9, 5, 7, 999, "\"2009-07-01 09:05:07.999\""},
  };
  for (const Local& c : cases) {
    std::tm tm{};
    tm.tm_year = c.year - 1900;
    tm.tm_mon = c.month - 1;
    tm.tm_mday = c.day;
    tm.tm_hour = c.hour;
    tm.tm_min = c.minute;
    tm.tm_sec = c.second;
    tm.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&tm);
    ASSERT_NE(seconds, static_cast<std::time_t>(-1));
    ObjectNode node;
    node.SetDateTime("t", seconds, c.ms);
    EXPECT_EQ(node.ToJson(), std::string("{\"t\":") + c.text + "}");
    ExpectParses(node.ToJson());
  }
}

#ifndef _WIN32
// A fixed zone east of UTC shows that the text is local time, not UTC.
TEST(JsonWriter, DateTimeFollowsTheTimeZone) {
  const char* old = std::getenv("TZ");
  const std::string saved = old ? old : "";
  setenv("TZ", "CST-8", 1);
  tzset();
  ObjectNode node;
  node.SetDateTime("t", 1700000000, 45);
  EXPECT_EQ(node.ToJson(), "{\"t\":\"2023-11-15 06:13:20.045\"}");
  if (old) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
  tzset();
}
#endif

TEST(ObjectNode, CopiesAreDeepAndMergeReplaces) {
  ObjectNode inner;
  inner.SetString("v", "1");
  ObjectNode outer;
  outer.SetObject("in", inner);
  inner.SetString("v", "2");  // the stored copy must not follow
  EXPECT_EQ(outer.ToJson(), "{\"in\":{\"v\":\"1\"}}");

  ObjectNode copy = outer;
  outer.SetNumber("extra", 1);
  EXPECT_EQ(copy.ToJson(), "{\"in\":{\"v\":\"1\"}}");

  ObjectNode base;
  base.SetString("$lib", "cpp");
  base.SetNumber("keep", 1);
  ObjectNode over;
  over.SetString("$lib", "mine");
  over.SetObject("obj", inner);
  base.Merge(over);
  over.SetString("$lib", "later");
  EXPECT_EQ(base.ToJson(), "{\"$lib\":\"mine\",\"keep\":1,\"obj\":{\"v\":\"2\"}}");
  base.Merge(base);
  EXPECT_EQ(base.ToJson(), "{\"$lib\":\"mine\",\"keep\":1,\"obj\":{\"v\":\"2\"}}");

  EXPECT_TRUE(base.Remove("keep"));
  EXPECT_FALSE(base.Remove("keep"));
  EXPECT_EQ(base.Find("keep"), nullptr);
  ASSERT_NE(base.Find("$lib"), nullptr);
  EXPECT_EQ(base.Find("$lib")->AsString(), "mine");
  EXPECT_EQ(base.ToJson(), "{\"$lib\":\"mine\",\"obj\":{\"v\":\"2\"}}");
}

TEST(ObjectNode, PropertiesNodeIsAnObjectNode) {
  PropertiesNode p;
  p.SetString("zv_name", "ok");
  p.SetNumber("n", 1.5);
  ObjectNode plain;
  plain.Merge(p);
  EXPECT_EQ(plain.ToJson(), "{\"n\":1.5,\"zv_name\":\"ok\"}");
}

}  // namespace
