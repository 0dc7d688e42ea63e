// Replays the kept fuzz inputs of the JSON writer (tests/fuzz/analytics/corpus)
// through the fuzz target's own entry, so a fixed crash stays fixed in every tier.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/analytics/json_writer_input.h"
#include "support/test_env.h"

namespace {

TEST(JsonWriterFuzzReplay, KeptInputsBehave) {
  namespace fs = std::filesystem;
  const fs::path corpus = fs::u8path(TestEnv::Join(TestEnv::Join(TestEnv::DataDir(), "fuzz"), "analytics")) / "corpus";
  int replayed = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream f(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    testing::internal::CaptureStderr();  // rejected strings are reported there
    const std::string problem =
        JsonWriterFuzz::Run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(problem, "") << entry.path().filename().string();
    ++replayed;
  }
  EXPECT_GE(replayed, 6) << "corpus folder not found at " << corpus.string();
}

}  // namespace
