// Text conversions, address helpers, MD5 and the version naming table.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/test_env.h"
#include "utils/md5.h"
#include "utils/text.h"
#include "utils/windows_version.h"

namespace {

TEST(Md5, Rfc1321TestSuite) {
  struct Case { const char* input; const char* digest; };
  const Case cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Case& c : cases) {
    std::string path = TestEnv::Join(TestEnv::TmpDir(), "md5.bin");
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(c.input, 1, std::string(c.input).size(), f);
    std::fclose(f);
    EXPECT_EQ(Utils::FileMd5(path), c.digest) << '"' << c.input << '"';
    Utils::Md5 m;
    m.Update(c.input, std::string(c.input).size());
    EXPECT_EQ(m.HexDigest(), c.digest);
  }
}

TEST(Md5, LargeFileReadInChunksAndMissingFile) {
  // 1 MiB + 3 bytes crosses many 1024-byte reads and the 64-byte block edge.
  std::string path = TestEnv::Join(TestEnv::TmpDir(), "big.bin");
  std::string data(1024 * 1024 + 3, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + 3);
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
  Utils::Md5 whole;
  whole.Update(data.data(), data.size());
  EXPECT_EQ(Utils::FileMd5(path), whole.HexDigest());
  EXPECT_EQ(Utils::FileMd5(""), "");
  EXPECT_EQ(Utils::FileMd5(TestEnv::Join(TestEnv::TmpDir(), "no-such-file")), "");
}

TEST(Text, UrlEscape) {
  // U+00E9 is C3 A9 in UTF-8.
  EXPECT_EQ(Utils::UrlEscape(L"http://h/a b/\u00e9.exe?x=1&y=%"), L"http://h/a+b/%C3%A9.exe?x=1&y=%");
  EXPECT_EQ(Utils::UrlEscape(L"~!*'()\t"), L"~!*'()%09");
  EXPECT_EQ(Utils::UrlEscape(L"\u4e2d"), L"%E4%B8%AD");
}

TEST(Text, UrlParentSegment) {
  struct Case { const char* in; const char* out; };
  const Case cases[] = {
      {"http://h/s/0123456789abcdef0123456789ABCDEF/setup.exe", "0123456789abcdef0123456789ABCDEF"},
      {"http://h/x/", "x"},
      {"a/b", ""},
      {"nothing", ""},
      {"/x/y", "x"},
      {"//", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Utils::UrlParentSegment(c.in), c.out) << c.in;
}

TEST(Text, Utf8RoundTripAndRefusal) {
  std::wstring w = L"QuibZip \u5b89\u88c5 \u00e9";
  std::string n = Utils::ToNarrow(w, Utils::kCodePageUtf8);
  EXPECT_EQ(n, "QuibZip \xe5\xae\x89\xe8\xa3\x85 \xc3\xa9");
  EXPECT_EQ(Utils::ToWide(n, Utils::kCodePageUtf8), w);
  EXPECT_EQ(Utils::ToWide("", Utils::kCodePageUtf8), L"");
}

TEST(WindowsVersion, NamingTable) {
  struct Case { unsigned major, minor, build; bool r2; const wchar_t* name; };
  const Case cases[] = {
      {0, 0, 0, false, L"XP-"},   {4, 10, 0, false, L"XP-"},         {5, 0, 2195, false, L"2K"},
      {5, 1, 2600, false, L"XP"}, {5, 2, 3790, false, L"Server 2003"}, {5, 2, 3790, true, L"Server 2003 R2"},
      {5, 3, 0, false, L"XP+"},   {6, 0, 6002, false, L"Vista"},      {6, 1, 7601, false, L"7"},
      {6, 2, 9200, false, L"8"},  {6, 3, 9600, false, L"8.1"},        {6, 4, 0, false, L"8.1+"},
      {10, 0, 19045, false, L"10"}, {10, 0, 22631, false, L"10"},     {10, 1, 0, false, L"10+"},
      {11, 2, 33, false, L"11.2.33"}, {7, 0, 65535, false, L"7.0.65535"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Utils::WindowsVersionName(c.major, c.minor, c.build, c.r2), c.name) << c.major << "." << c.minor;
}

}  // namespace
