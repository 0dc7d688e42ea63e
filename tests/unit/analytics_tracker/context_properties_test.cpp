// The A/B label check, the per-kind context lists and how a context lands in an
// event's properties.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analytics/sdk/properties_node.h"
#include "analytics/tracker/time_text.h"
#include "analytics/tracker/zv_context_properties.h"
#include "analytics/tracker/zv_exception.h"

namespace {

using zorvik::analytics::ZvContextProperties;
using zorvik::analytics::ZvContextValue;
using zorvik::analytics::ZvException;

// The refusal's message, or "" when the call did not raise.
template <typename Call>
std::string Raised(Call call) {
  try {
    call();
  } catch (const ZvException& e) {
    return e.what();
  }
  return "";
}

TEST(AbLabel, AcceptedAndRefusedValues) {
  struct Case {
    const char* value;
    bool accepted;
    const char* message;  // for refusals that raise
  };
  const Case cases[] = {
      {"A", true, ""},
      {"B2", true, ""},
      {"AB3", true, ""},
      {"IN", true, ""},
      {"Z99", true, ""},
      {"", false, ""},
      {"a", false, "First char is not in A to Z"},
      {"1A", false, "First char is not in A to Z"},
      {"ABCD", false, "value's length is great than 3."},
      {"A-", false, "second char is not in A to Z and 0 to 9"},
      {"Ab", false, "second char is not in A to Z and 0 to 9"},
      {"AB-", false, "third char is not in A to Z and 0 to 9"},
      {"A0z", false, "third char is not in A to Z and 0 to 9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    bool result = false;
    const std::string message = Raised([&] { result = ZvContextProperties::isValidABValue(c.value); });
    EXPECT_EQ(message, c.message);
    if (message.empty()) {
      EXPECT_EQ(result, c.accepted);
    }
  }
}

TEST(ContextProperties, SetPropertyListsTheValueForEachKindOnce) {
  ZvContextProperties context;
  context.setProperty({7, 3}, "IN");
  for (int kind : {3, 7}) {
    const auto& entries = context.getEventProperties(kind);
    ASSERT_EQ(entries.size(), 1u) << kind;
    EXPECT_EQ(entries[0].key, "zvc_ab");
    EXPECT_EQ(entries[0].value->text, "IN");
  }
  // Both kinds share one value.
  EXPECT_EQ(context.getEventProperties(3)[0].value, context.getEventProperties(7)[0].value);
  EXPECT_TRUE(context.getEventProperties(4).empty());
  EXPECT_EQ(Raised([&] { context.setProperty({4}, "B"); }), "Property[zvc_ab] already exist!");
  EXPECT_TRUE(context.getEventProperties(4).empty());
}

TEST(ContextProperties, KindsOutsideTheCatalogueAreRefused) {
  const struct {
    int kind;
    const char* message;
  } cases[] = {{15, "ZvEvent[15] overflow!"}, {99, "ZvEvent[99] overflow!"}, {-1, "ZvEvent[-1] overflow!"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    ZvContextProperties context;
    EXPECT_EQ(Raised([&] { context.getEventProperties(c.kind); }), c.message);
    EXPECT_EQ(Raised([&] { context.setProperty({2, c.kind}, "A"); }), c.message);
    // The kinds before the bad one keep the value.
    EXPECT_EQ(context.getEventProperties(2).size(), 1u);
  }
  ZvContextProperties context;
  EXPECT_NO_THROW(context.getEventProperties(14));
}

TEST(ContextProperties, EveryValueKindLandsInTheEventProperties) {
  ZvContextProperties context;
  ZvContextValue flag;
  flag.kind = ZvContextValue::Kind::kBool;
  flag.flag = true;
  ZvContextValue time;
  time.kind = ZvContextValue::Kind::kTime;
  time.time = 1700000000123LL;
  ZvContextValue number;
  number.kind = ZvContextValue::Kind::kNumber;
  number.number = 2.5;
  ZvContextValue list;
  list.kind = ZvContextValue::Kind::kList;
  list.list = {"x", "y"};
  context.addProperty("zvc_flag", flag, {4});
  context.addProperty("zvc_time", time, {4});
  context.addProperty("zvc_number", number, {4});
  context.addProperty("zvc_list", list, {4});
  context.setProperty({4}, "AB3");

  zv_analytics::PropertiesNode view;
  EXPECT_TRUE(context.applyTo(4, &view));
  const std::string expectedTime = zorvik::analytics::LocalTimeText(1700000000123LL);
  ASSERT_EQ(expectedTime.size(), 23u);
  EXPECT_EQ(expectedTime.substr(19), ".123");
  EXPECT_EQ(view.ToJson(), "{\"zvc_ab\":\"AB3\",\"zvc_flag\":true,\"zvc_list\":[\"x\",\"y\"],\"zvc_number\":2.5,"
                           "\"zvc_time\":\"" + expectedTime + "\"}");

  zv_analytics::PropertiesNode click;
  EXPECT_FALSE(context.applyTo(3, &click));
  EXPECT_TRUE(click.Empty());
}

TEST(TimeText, CountsBelowTheThresholdAreSeconds) {
  const struct {
    long long count;
    long long seconds;
    int milliseconds;
  } cases[] = {
      {1700000000LL, 1700000000LL, 0},
      {1700000000000LL, 1700000000LL, 0},
      {1700000000999LL, 1700000000LL, 999},
      {157789439999LL, 157789439999LL, 0},
      {157789440000LL, 157789440LL, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    const auto t = zorvik::analytics::DateTimeFromCount(c.count);
    EXPECT_EQ(t.seconds, c.seconds);
    EXPECT_EQ(t.milliseconds, c.milliseconds);
  }
  EXPECT_EQ(zorvik::analytics::LocalTimeText(1700000000LL).substr(0, 19),
            zorvik::analytics::LocalTimeText(1700000000000LL).substr(0, 19));
}

}  // namespace
