// Replays the kept fuzz corpus (seeds and any crash inputs found) through both
// toolkit fuzz entry points, so every tier runs them.
#include <gtest/gtest.h>

#include "fuzz/toolkit/fuzz_toolkit_entries.h"
#include "toolkit_test_support.h"

namespace {

TEST(ToolkitFuzzCorpus, EveryKeptInputRunsThroughBothEntryPoints) {
  std::vector<std::string> files = ToolkitTest::ListFiles(ToolkitTest::CorpusDir());
  ASSERT_FALSE(files.empty()) << ToolkitTest::CorpusDir();
  for (const std::string& f : files) {
    std::vector<uint8_t> bytes = ToolkitTest::ReadFile(f);
    SCOPED_TRACE(f);
    EXPECT_EQ(FuzzMarkupInput(bytes.data(), bytes.size()), 0);
    EXPECT_EQ(FuzzArchiveInput(bytes.data(), bytes.size()), 0);
  }
}

}  // namespace
