// How the tracker names the machine: the OS version table, the user agent, the
// locale triple and the shape of new distinct ids.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "analytics/tracker/distinct_id.h"
#include "analytics/tracker/os_description.h"
#include "analytics/tracker/system_facts.h"

namespace {

using namespace zorvik::analytics;

TEST(OsVersionText, Table) {
  const struct {
    bool known;
    unsigned major, minor, build;
    bool is64, r2;
    const char* text;
  } rows[] = {
      {true, 5, 0, 2195, false, false, "2K"},
      {true, 5, 1, 2600, false, false, "XP"},
      {true, 5, 2, 3790, true, false, "XP64"},
      {true, 5, 2, 3790, true, true, "XP64"},
      {true, 5, 2, 3790, false, true, "Server 2003 R2"},
      {true, 5, 2, 3790, false, false, "Server 2003"},
      {true, 5, 3, 0, false, false, "XP+"},
      {true, 6, 0, 6002, true, false, "Vista64"},
      {true, 6, 0, 6002, false, false, "Vista"},
      {true, 6, 1, 7601, true, false, "7"},
      {true, 6, 1, 7601, false, false, "7-32"},
      {true, 6, 2, 9200, true, false, "8"},
      {true, 6, 2, 9200, false, false, "8-32"},
      {true, 6, 3, 9600, false, false, "8.1"},
      {true, 6, 4, 0, true, false, "8.1+"},
      {true, 10, 0, 19045, true, false, "10"},
      {true, 10, 0, 21999, false, false, "10"},
      {true, 10, 0, 22000, true, false, "11"},
      {true, 10, 0, 26100, false, false, "11"},
      {true, 10, 1, 0, true, false, "11+"},
      {true, 7, 2, 345, true, false, "7.2.345"},
      {true, 4, 10, 0, false, false, "XP-"},
      {false, 10, 0, 19045, true, false, "XP-"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.major << "." << r.minor << "." << r.build << " is64=" << r.is64);
    EXPECT_EQ(OsVersionText(OsNumbers{r.known, r.major, r.minor, r.build}, r.is64, r.r2), r.text);
  }
}

#ifdef _WIN64
TEST(SystemFacts, A64BitProcessKnowsItsSystemIs64Bit) {
  // The WOW64 query says "no" to a 64-bit process; the architecture must decide then.
  EXPECT_TRUE(system_facts::Is64BitSystem());
}
#endif

TEST(UserAgentText, NamesTheWordSize) {
  EXPECT_EQ(UserAgentText("10", true), "Mozilla/5.0(Windows 10; Win64;)");
  EXPECT_EQ(UserAgentText("7-32", false), "Mozilla/5.0(Windows 7-32; Win32;)");
}

TEST(LocaleTriple, SetLocaleOrSystemNames) {
  const struct {
    const char* set;
    const char* language;
    const char* country;
    LocaleTriple expected;
  } cases[] = {
      {"", "zh", "CN", {"zh_CN", "zh", "CN"}},
      {"en_US", "zh", "CN", {"en_US", "en", "US"}},
      {"pt_BR_x", "zh", "CN", {"pt_BR_x", "pt", "BR_x"}},
      {"english", "de", "AT", {"de_AT", "de", "AT"}},  // no "_": the system's names
      {"", "zh", "", {"", "", ""}},
      {"", "", "CN", {"", "", ""}},
      {"fr", "", "", {"", "", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set);
    const LocaleTriple t = ComputeLocale(c.set, c.language, c.country);
    EXPECT_EQ(t.locale, c.expected.locale);
    EXPECT_EQ(t.language, c.expected.language);
    EXPECT_EQ(t.country, c.expected.country);
  }
}

TEST(DistinctId, GuidForm) {
  system_facts::Guid g{0x0A1B2C3Du, 0x00EF, 0xabcd, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
  EXPECT_EQ(FormatGuid(g), "0A1B2C3D-00EF-ABCD-0123-456789ABCDEF");
}

TEST(DistinctId, RandomFallbackFields) {
  const int values[8] = {0x1, 0x7ffffffe, 0xa, 0x12345, 0x3fff + 5, 0, 0xff, 0x10};
  // fourth: 0x12345 & 0xfff = 0x345, + 0x4000; fifth: (0x3fff + 5) % 0x3fff = 5, + 0x8000
  EXPECT_EQ(RandomDistinctId(values), "17ffffffe-a-4345-8005-0ff10");
}

TEST(DistinctId, AsksElevenTimesThenFallsBack) {
  const std::regex guidForm("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");
  int calls = 0;
  const std::string fromThird = NewDistinctId([&](system_facts::Guid* g) {
    if (++calls < 3) return false;
    *g = system_facts::Guid{0xDEADBEEFu, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    return true;
  });
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(fromThird, "DEADBEEF-0001-0002-0304-05060708090A");

  calls = 0;
  const std::string fallback = NewDistinctId([&](system_facts::Guid*) {
    ++calls;
    return false;
  });
  EXPECT_EQ(calls, 11);
  EXPECT_FALSE(std::regex_match(fallback, guidForm)) << fallback;
  // The fourth field is 0x4000 plus 12 bits, the fifth 0x8000 plus less than 0x3fff.
  EXPECT_TRUE(std::regex_match(fallback, std::regex("[0-9a-f]+-[0-9a-f]+-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]+")))
      << fallback;

  // Two machines without GUIDs must not share an id.
  const std::string another = NewDistinctId([](system_facts::Guid*) { return false; });
  EXPECT_NE(another, fallback);

  EXPECT_TRUE(std::regex_match(NewDistinctId(), guidForm));
}

}  // namespace
