// Path joining and the two file chores, in both tiers.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/test_env.h"
#include "utils/path.h"
#include "utils/profile.h"
#include "utils/text.h"

namespace {

const std::wstring S(1, Utils::kPathSeparator);

TEST(Path, JoinParentAndName) {
  EXPECT_EQ(Utils::JoinPath(L"C:" + S + L"a", L"b.exe"), L"C:" + S + L"a" + S + L"b.exe");
  EXPECT_EQ(Utils::JoinPath(L"C:\\a\\", L"b"), L"C:\\a\\b") << "no doubled separator";
  EXPECT_EQ(Utils::JoinPath(L"/tmp/x/", L"\\b"), L"/tmp/x/b");
  EXPECT_EQ(Utils::JoinPath(L"", L"b"), L"b");
  EXPECT_EQ(Utils::ParentPath(L"C:\\old\\uninst.ep"), L"C:\\old");
  EXPECT_EQ(Utils::ParentPath(L"/a/b"), L"/a");
  EXPECT_EQ(Utils::ParentPath(L"name"), L"");
  EXPECT_EQ(Utils::FileNamePart(L"C:\\old\\uninst.ep"), L"uninst.ep");
  EXPECT_EQ(Utils::FileNamePart(L"name"), L"name");
}

TEST(Path, CopyReplacesAndDeleteIsIdempotent) {
  std::wstring dir = Utils::ToWide(TestEnv::TmpDir(), Utils::kCodePageAnsi);
  std::wstring from = Utils::JoinPath(dir, L"from.bin"), to = Utils::JoinPath(dir, L"to.bin");
  for (const auto& [path, text] : {std::pair{from, "new"}, std::pair{to, "older contents"}}) {
    FILE* f = std::fopen(Utils::ToNarrow(path, Utils::kCodePageAnsi).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
  }
  ASSERT_TRUE(Utils::CopyFileReplacing(from, to));
  FILE* f = std::fopen(Utils::ToNarrow(to, Utils::kCodePageAnsi).c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char buf[32] = {};
  size_t n = std::fread(buf, 1, sizeof(buf), f);
  std::fclose(f);
  EXPECT_EQ(std::string(buf, n), "new");
  EXPECT_FALSE(Utils::CopyFileReplacing(Utils::JoinPath(dir, L"absent"), to));
  EXPECT_TRUE(Utils::DeleteFileIfPresent(to));
  EXPECT_FALSE(Utils::FileExists(to));
  EXPECT_TRUE(Utils::DeleteFileIfPresent(to)) << "already gone";
}

}  // namespace
