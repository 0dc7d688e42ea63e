// Replays the tracker fuzz target's corpus (seeds and any crash inputs kept there)
// through the same entry point, plus a few shapes written out here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/analytics_tracker/tracker_input_property.h"
#include "support/test_env.h"

namespace {

bool Check(const std::string& bytes) {
  return CheckTrackerInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(TrackerFuzzReplay, Corpus) {
  const std::filesystem::path dir =
      std::filesystem::u8path(TestEnv::DataDir()) / "fuzz" / "analytics_tracker" / "corpus";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(Check(bytes)) << entry.path().filename().string();
    ++files;
  }
  EXPECT_GE(files, 4);
}

TEST(TrackerFuzzReplay, WrittenShapes) {
  const std::string shapes[] = {
      std::string("\0\0\0\0\0", 5),
      std::string("x\0A9Z\0_\0_\0_\0\x0e\x80", 14),
      std::string(300, '\xe9'),
      std::string("\xf0\x9f\x98\x80\0AB3\0zh_\0\0\0\x04\x05", 18),
  };
  for (const std::string& s : shapes) EXPECT_TRUE(Check(s));
}

}  // namespace
