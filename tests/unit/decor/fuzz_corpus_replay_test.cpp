// Every kept fuzz input of the decorations runs through the fuzz entry point
// in the normal test tiers (it aborts on a broken contract).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/decor/fuzz_decor_entries.h"

TEST(DecorFuzzCorpus, EveryKeptInputRunsThroughTheEntryPoint) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(QZ_DECOR_CORPUS_DIR)) {
    if (e.is_regular_file()) files.push_back(e.path());
  }
  ASSERT_FALSE(files.empty()) << QZ_DECOR_CORPUS_DIR;
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty()) << f.string();
    EXPECT_EQ(FuzzDecorInput(bytes.data(), bytes.size()), 0) << f.string();
  }
  // Short and empty inputs read as zeros.
  EXPECT_EQ(FuzzDecorInput(nullptr, 0), 0);
}
