// The skin package reader over the packed skin and a damaged fixture archive.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "support/test_env.h"
#include "toolkit_test_support.h"
#include "ui/toolkit/skin_archive.h"

using Vellum::CSkinArchive;
using ToolkitTest::Skin;

namespace {

TEST(SkinArchive, KeepsEveryFileOfThePackageWithItsNameAndBytes) {
  const CSkinArchive& skin = Skin();
  ASSERT_TRUE(skin.IsOpen());
  EXPECT_EQ(skin.EntryCount(), 64u);  // 6 markup files and 58 pictures; folders are not kept
  int main = skin.Find(L"mainWnd.xml");
  ASSERT_GE(main, 0);
  const auto& entry = skin.Entry(main);
  EXPECT_EQ(entry.name, L"mainWnd.xml");
  EXPECT_EQ(entry.nameLength, 12u);
  EXPECT_EQ(entry.size, entry.bytes.size());
  std::string head(entry.bytes.begin(), entry.bytes.begin() + 5);
  EXPECT_EQ(head, "<?xml");
  // The bytes are exactly those of the source file.
  std::string source = TestEnv::Join(TestEnv::Join(TestEnv::DataDir(), ".."), TestEnv::Join("skin", "mainWnd.xml"));
  EXPECT_EQ(entry.bytes, ToolkitTest::ReadFile(source));
  for (size_t i = 0; i < skin.EntryCount(); ++i) {
    EXPECT_EQ(skin.Entry(static_cast<int>(i)).name.find(L'\\'), std::wstring::npos) << "stored with slashes";
  }
}

struct LookupCase {
  const wchar_t* asked;
  const wchar_t* found;  // nullptr: not found
};

void PrintTo(const LookupCase& c, std::ostream* os) {
  std::wstring w(c.asked);
  *os << '"' << std::string(w.begin(), w.end()) << '"';
}

class SkinLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(SkinLookup, MatchesWholeNamesIgnoringCaseAndSlashDirection) {
  const LookupCase& c = GetParam();
  int pos = Skin().Find(c.asked);
  if (!c.found) {
    EXPECT_EQ(pos, -1) << "found " << (pos >= 0 ? std::string("something") : "");
    EXPECT_EQ(Skin().Read(c.asked), nullptr);
  } else {
    ASSERT_GE(pos, 0);
    EXPECT_EQ(Skin().Entry(pos).name, c.found);
    ASSERT_NE(Skin().Read(c.asked), nullptr);
    EXPECT_EQ(Skin().Read(c.asked), &Skin().Entry(pos).bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, SkinLookup,
    ::testing::Values(LookupCase{L"MainWnd.xml", L"mainWnd.xml"}, LookupCase{L"ExitTipWnd.xml", L"exitTipWnd.xml"},
                      LookupCase{L"MAINWND.XML", L"mainWnd.xml"},
                      LookupCase{L"res\\MessageBoxWnd\\icoWarn.png", L"res/MessageBoxWnd/icoWarn.png"},
                      LookupCase{L"res/MessageBoxWnd/icoWarn.png", L"res/MessageBoxWnd/icoWarn.png"},
                      LookupCase{L"res\\mainWnd/installBtnAnimate\\000.png", L"res/mainWnd/installBtnAnimate/000.png"},
                      LookupCase{L"mainWnd.xm", nullptr},        // a prefix of a stored name
                      LookupCase{L"mainWnd.xml2", nullptr},      // longer than the stored name
                      LookupCase{L"res/mainWnd", nullptr},       // a folder is not an entry
                      LookupCase{L"res\\common\\minbtn4.png", nullptr},  // named by markup, not packed
                      LookupCase{L"", nullptr}));

TEST(SkinArchive, RefusesBytesThatAreNotAReadableArchive) {
  std::vector<uint8_t> skin = ToolkitTest::ReadFile(ToolkitTest::SkinArchivePath());
  ASSERT_GT(skin.size(), 64u);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"signature only", std::vector<uint8_t>(skin.begin(), skin.begin() + 6)});
  cases.push_back({"start header only", std::vector<uint8_t>(skin.begin(), skin.begin() + 32)});
  cases.push_back({"truncated by one byte", std::vector<uint8_t>(skin.begin(), skin.end() - 1)});
  cases.push_back({"first half", std::vector<uint8_t>(skin.begin(), skin.begin() + skin.size() / 2)});
  std::vector<uint8_t> badSignature = skin;
  badSignature[0] ^= 0xFF;
  cases.push_back({"bad signature", badSignature});
  std::vector<uint8_t> badHeader = skin;
  badHeader[skin.size() - 10] ^= 0x55;  // inside the (compressed) header, guarded by its CRC
  cases.push_back({"damaged header", badHeader});
  cases.push_back({"not an archive", std::vector<uint8_t>(300, 0x41)});

  for (const Case& c : cases) {
    CSkinArchive archive;
    EXPECT_FALSE(archive.Open(c.bytes.data(), c.bytes.size())) << c.what;
    EXPECT_FALSE(archive.IsOpen()) << c.what;
    EXPECT_EQ(archive.EntryCount(), 0u) << c.what;
    EXPECT_EQ(archive.Find(L"mainWnd.xml"), -1) << c.what;
  }
}

TEST(SkinArchive, DamagedSolidBlockKeepsNoEntryAndDoesNotCrash) {
  std::vector<uint8_t> skin = ToolkitTest::ReadFile(ToolkitTest::SkinArchivePath());
  skin[40] ^= 0x5A;  // packed data of the one solid block
  CSkinArchive archive;
  archive.Open(skin.data(), skin.size());
  EXPECT_EQ(archive.Find(L"mainWnd.xml"), -1);
  EXPECT_LT(archive.EntryCount(), 64u);
}

// The fixture holds alpha.txt, bravo.txt, charlie.txt stored in separate blocks.
TEST(SkinArchive, FailedEntryKeepsTheEntriesBeforeItAndSkipsTheRest) {
  std::vector<uint8_t> bytes = ToolkitTest::ReadFile(ToolkitTest::FixtureArchivePath());
  ASSERT_FALSE(bytes.empty());
  {
    CSkinArchive intact;
    ASSERT_TRUE(intact.Open(bytes.data(), bytes.size()));
    ASSERT_EQ(intact.EntryCount(), 3u);
    EXPECT_EQ(intact.Entry(0).name, L"alpha.txt");
    EXPECT_EQ(intact.Entry(1).name, L"bravo.txt");
    EXPECT_EQ(intact.Entry(2).name, L"charlie.txt");
    EXPECT_EQ(intact.Entry(1).index, 1u);
    std::string text(intact.Entry(0).bytes.begin(), intact.Entry(0).bytes.end());
    EXPECT_EQ(text, "first entry of the fixture\n");
  }
  const std::string marker = "BRAVO-BRAVO";
  auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
  ASSERT_NE(at, bytes.end());
  *at = 'X';  // the stored entry's CRC no longer matches
  CSkinArchive damaged;
  EXPECT_TRUE(damaged.Open(bytes.data(), bytes.size()));
  ASSERT_EQ(damaged.EntryCount(), 1u);
  EXPECT_EQ(damaged.Entry(0).name, L"alpha.txt");
  EXPECT_EQ(damaged.Find(L"bravo.txt"), -1);
  EXPECT_EQ(damaged.Find(L"charlie.txt"), -1);
}

TEST(SkinArchive, OpeningAgainReplacesTheContentAndTheSourceMayGoAway) {
  CSkinArchive archive;
  {
    std::vector<uint8_t> fixture = ToolkitTest::ReadFile(ToolkitTest::FixtureArchivePath());
    ASSERT_TRUE(archive.Open(fixture.data(), fixture.size()));
  }
  ASSERT_GE(archive.Find(L"ALPHA.TXT"), 0);
  EXPECT_EQ(archive.Read(L"alpha.txt")->size(), 27u);  // still readable after the buffer is gone
  std::vector<uint8_t> skin = ToolkitTest::ReadFile(ToolkitTest::SkinArchivePath());
  ASSERT_TRUE(archive.Open(skin.data(), skin.size()));
  EXPECT_EQ(archive.Find(L"alpha.txt"), -1);
  EXPECT_GE(archive.Find(L"mainWnd.xml"), 0);
  archive.Close();
  EXPECT_FALSE(archive.IsOpen());
  EXPECT_EQ(archive.Find(L"mainWnd.xml"), -1);
}

}  // namespace
