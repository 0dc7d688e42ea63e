// Every input kept beside the parser's fuzz target (seeds and crashes found)
// goes through the same property check in the normal test runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "../../fuzz/install/child_status_parser_property.h"
#include "support/fake_children.h"
#include "support/test_env.h"

namespace {

TEST(ChildStatusParserFuzzCorpus, EveryInputHolds) {
  std::filesystem::path corpus = std::filesystem::u8path(TestEnv::DataDir()) / "fuzz" / "install" / "corpus";
  size_t replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::string bytes = FakeChildren::ReadFile(entry.path().u8string());
    ASSERT_FALSE(bytes.empty()) << entry.path().u8string();
    EXPECT_TRUE(ChildStatusParserHolds(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
        << entry.path().u8string();
    ++replayed;
  }
  EXPECT_GE(replayed, 4u);
}

}  // namespace
