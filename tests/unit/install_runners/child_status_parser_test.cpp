// The line protocol of both children: every key of both tables, the scans of
// their values, lines cut by read boundaries, encodings and the size caps.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "install/child_status_parser.h"
#include "install/status_codes.h"
#include "support/status_recorder.h"

namespace {

const std::wstring kInstallFailed = L"安装包安装失败";
const std::wstring kUninstallFailed = L"安装包卸载失败";

struct Parsed {
  std::vector<Status> statuses;
  std::vector<int> verdicts;  // one per Feed, then Finish
  unsigned codePage = 0;
};

// Feeds the bytes in pieces of the given sizes (the last piece takes the rest).
Parsed ParseInPieces(ChildStatusTable table, const std::string& bytes, const std::vector<size_t>& sizes) {
  StatusRecorder rec;
  ChildStatusParser parser(table, rec.Callback());
  Parsed out;
  size_t at = 0;
  for (size_t i = 0; at < bytes.size(); ++i) {
    size_t n = i < sizes.size() ? sizes[i] : bytes.size() - at;
    if (n > bytes.size() - at) n = bytes.size() - at;
    out.verdicts.push_back(parser.Feed(bytes.data() + at, n));
    at += n;
  }
  out.verdicts.push_back(parser.Finish());
  out.statuses = rec.Snapshot();
  out.codePage = parser.CodePage();
  return out;
}

Parsed ParseWhole(ChildStatusTable table, const std::string& bytes) { return ParseInPieces(table, bytes, {}); }

std::vector<size_t> Pieces(size_t total, size_t each) { return std::vector<size_t>(total / each + 1, each); }

std::vector<size_t> RandomPieces(size_t total, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<size_t> size(1, 40);
  std::vector<size_t> out;
  for (size_t sum = 0; sum < total; sum += out.back()) out.push_back(size(rng));
  return out;
}

int LastVerdict(const Parsed& p) {
  int v = 0;
  for (int x : p.verdicts)
    if (x) v = x;
  return v;
}

struct LineCase {
  ChildStatusTable table;
  std::string line;
  std::vector<Status> expected;
  int verdict;
};

TEST(ChildStatusParser, EveryKeyOfBothTables) {
  const auto P = ChildStatusTable::Package;
  const auto U = ChildStatusTable::Uninstaller;
  const std::vector<LineCase> cases = {
      {P, "Progress=42.5", {{IST_CODE_PROGRESS, 42.5, L""}}, 0},
      {P, "Progress=abc", {{IST_CODE_PROGRESS, 0.0, L""}}, 0},
      {P, "InstPath=C:\\Program Files\\QuibZip", {{IST_INFO_INSTPATH, 0.0, L"C:\\Program Files\\QuibZip"}}, 0},
      {P, "InstPath=C:\\Q\r", {{IST_INFO_INSTPATH, 0.0, L"C:\\Q\r"}}, 0},  // the carriage return stays
      {P, "State=Success", {{INSTALL_SUCCESS, 0.0, L""}}, 1},
      {P, "State=  Success \r", {{INSTALL_SUCCESS, 0.0, L""}}, 1},
      {P, "State=Fail", {{IST_CODE_FAIL, 0.0, kInstallFailed}}, 1000},
      {P, "State=Busy", {}, 0},
      {P, "InstallVersion=1.7.9", {}, 0},
      {P, "ExePath=C:\\Q\\Quibzip.exe", {{IST_INFO_EXEPATH, 0.0, L"C:\\Q\\Quibzip.exe"}}, 0},
      {P, "StartExe=Quibzip.exe -first", {{IST_INFO_EXEPATH, 0.0, L"Quibzip.exe -first"}}, 0},
      {P, "UninstExePath=C:\\Q\\uninst.exe", {{IST_INFO_UNINSTEXE, 0.0, L"C:\\Q\\uninst.exe"}}, 0},
      {P, "UninstExe=uninst.exe", {{IST_INFO_UNINSTEXE, 0.0, L"uninst.exe"}}, 0},
      {P, "UninstEp=C:\\Q\\uninst.ep", {{IST_INFO_UNINSTEP, 0.0, L"C:\\Q\\uninst.ep"}}, 0},
      {P, "Error=disk full", {{IST_CODE_FAIL, 1000.0, L"disk full"}}, 1000},
      {P, "TopShowDetention=15", {{IST_INFO_TOPSHOW, 15.0, L""}}, 0},
      {P, "TopShowDetention=-1", {{IST_INFO_TOPSHOW, 4294967295.0, L""}}, 0},
      {P, "TopShowDetention=soon", {{IST_INFO_TOPSHOW, 0.0, L""}}, 0},
      {P, "FinsihCloseDetention=-1", {{IST_INFO_FINISHCLOSE, 4294967295.0, L""}}, 0},
      {P, "FinsihCloseDetention= 30s", {{IST_INFO_FINISHCLOSE, 30.0, L""}}, 0},
      {P, "FinishCloseDetention=5", {}, 0},  // only the spelling the package prints counts
      {P, "StartUrl=http://q.example/welcome?a=1", {{IST_INFO_STARTURL, 0.0, L"http://q.example/welcome?a=1"}}, 0},
      {P, "StartupStyle=  AutoStartup  ", {{IST_INFO_STARTUPSTYLE, 1.0, L""}}, 0},
      {P, "StartupStyle=UserStartup\r", {{IST_INFO_STARTUPSTYLE, 2.0, L""}}, 0},
      {P, "StartupStyle=NonStartup", {{IST_INFO_STARTUPSTYLE, 0.0, L""}}, 0},
      {P, "StartupStyle=autostartup", {{IST_INFO_STARTUPSTYLE, 0.0, L""}}, 0},
      {P, "startupstyle=AutoStartup", {}, 0},
      {P, "STATE=Success", {}, 0},
      {P, " Progress=1", {}, 0},
      {P, "Encode=UTF8", {}, 0},
      {P, "Message=a=b", {{IST_INFO_MESSAGE, 0.0, L"a=b"}}, 0},
      // A key followed directly by the line end reports an empty text.
      {P, "InstPath=", {{IST_INFO_INSTPATH, 0.0, L""}}, 0},
      {P, "Message=", {{IST_INFO_MESSAGE, 0.0, L""}}, 0},
      {P, "Error=", {{IST_CODE_FAIL, 1000.0, L""}}, 1000},
      {P, "State=", {}, 0},
      {P, "Progress=", {{IST_CODE_PROGRESS, 0.0, L""}}, 0},
      {U, "Progress=50", {{UNIST_CODE_PROGRESS, 50.0, L""}}, 0},
      {U, "Progress=", {{UNIST_CODE_PROGRESS, 0.0, L""}}, 0},
      {U, "Error=file locked", {{UNIST_CODE_ERROR, 0.0, L"file locked"}}, 1000},
      {U, "State=Success", {{UNIST_CODE_SUCCESS, 0.0, L""}}, 1},
      {U, "State= Fail", {{UNIST_CODE_ERROR, 0.0, kUninstallFailed}}, 1000},
      {U, "State=Other", {}, 0},
      {U, "Encode=UTF8", {}, 0},
      {U, "InstPath=C:\\Q", {}, 0},  // package keys mean nothing here
      {U, "Message=hi", {}, 0},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    Parsed p = ParseWhole(c.table, c.line + "\n");
    EXPECT_EQ(p.statuses, c.expected);
    EXPECT_EQ(p.verdicts.front(), c.verdict);
    EXPECT_EQ(p.verdicts.back(), 0);  // nothing left for Finish
  }
}

TEST(ChildStatusParser, EncodeValues) {
  struct Case {
    ChildStatusTable table;
    const char* value;
    unsigned codePage;
  };
  const Case cases[] = {
      {ChildStatusTable::Package, "UTF8", 65001},   {ChildStatusTable::Package, " UTF8\r", 65001},
      {ChildStatusTable::Package, "ACP", 0},        {ChildStatusTable::Package, "936", 936},
      {ChildStatusTable::Package, "65001", 65001},  {ChildStatusTable::Package, "utf8", 0},
      {ChildStatusTable::Package, "gbk", 0},        {ChildStatusTable::Package, "70000", 0},
      {ChildStatusTable::Package, "123456789", 0},  {ChildStatusTable::Package, "", 0},
      {ChildStatusTable::Uninstaller, "UTF8", 65001}, {ChildStatusTable::Uninstaller, "936", 0},
      {ChildStatusTable::Uninstaller, "ACP", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    // Start from another code page, so that falling back to 0 is visible.
    Parsed p = ParseWhole(c.table, "Encode=UTF8\nEncode=" + std::string(c.value) + "\n");
    EXPECT_EQ(p.codePage, c.codePage);
    EXPECT_TRUE(p.statuses.empty());
  }
}

TEST(ChildStatusParser, EncodeAppliesToTheLinesAfterItInTheSameRead) {
  StatusRecorder rec;
  ChildStatusParser parser(ChildStatusTable::Package, rec.Callback());
  const char utf8[] = "Encode=UTF8\nMessage=\xE4\xB8\xAD\xE6\x96\x87\n";
  EXPECT_EQ(parser.Feed(utf8, sizeof(utf8) - 1), 0);
  EXPECT_EQ(parser.CodePage(), 65001u);
#ifdef _WIN32
  // Code page 936 bytes of the same two characters, in the same read as the switch.
  const char gbk[] = "Encode=936\nMessage=\xD6\xD0\xCE\xC4\n";
  parser.Feed(gbk, sizeof(gbk) - 1);
  EXPECT_EQ(parser.CodePage(), 936u);
  EXPECT_EQ(rec.Snapshot(), (std::vector<Status>{{IST_INFO_MESSAGE, 0.0, L"中文"}, {IST_INFO_MESSAGE, 0.0, L"中文"}}));
#else
  EXPECT_EQ(rec.Snapshot(), (std::vector<Status>{{IST_INFO_MESSAGE, 0.0, L"中文"}}));
#endif
}

TEST(ChildStatusParser, ValueLengthAndLineCaps) {
  const std::string v771(771, 'a');
  Parsed exact = ParseWhole(ChildStatusTable::Package, "InstPath=" + v771 + "\n");
  ASSERT_EQ(exact.statuses.size(), 1u);
  EXPECT_EQ(exact.statuses[0].text, std::wstring(771, L'a'));

  Parsed longer = ParseWhole(ChildStatusTable::Package, "Error=" + v771 + "bcd\n");
  ASSERT_EQ(longer.statuses.size(), 1u);
  EXPECT_EQ(longer.statuses[0].text, std::wstring(771, L'a'));

  // A line far over the cap: its start still counts, its rest is dropped, and
  // the next line is whole, however the bytes arrive.
  const std::string huge = "Message=" + std::string(20000, 'm') + "\nProgress=7\n";
  const std::vector<Status> expected = {{IST_INFO_MESSAGE, 0.0, std::wstring(771, L'm')}, {IST_CODE_PROGRESS, 7.0, L""}};
  EXPECT_EQ(ParseWhole(ChildStatusTable::Package, huge).statuses, expected);
  EXPECT_EQ(ParseInPieces(ChildStatusTable::Package, huge, Pieces(huge.size(), 1024)).statuses, expected);
  EXPECT_EQ(ParseInPieces(ChildStatusTable::Package, huge, RandomPieces(huge.size(), 3)).statuses, expected);
  // A state value longer than the cap is not "Success" any more.
  EXPECT_TRUE(ParseWhole(ChildStatusTable::Package, "State=" + std::string(800, ' ') + "Success\n").statuses.empty());
}

TEST(ChildStatusParser, TailIsKeptAcrossReadsAndParsedAtTheEnd) {
  StatusRecorder rec;
  ChildStatusParser parser(ChildStatusTable::Package, rec.Callback());
  EXPECT_EQ(parser.Feed("Progr", 5), 0);
  EXPECT_EQ(parser.Feed("ess=33\nState=Succ", 17), 0);
  EXPECT_EQ(rec.Snapshot(), (std::vector<Status>{{IST_CODE_PROGRESS, 33.0, L""}}));
  EXPECT_EQ(parser.Feed("ess", 3), 0);
  EXPECT_EQ(parser.Finish(), 1);
  EXPECT_EQ(parser.Finish(), 0);
  EXPECT_EQ(rec.Snapshot(), (std::vector<Status>{{IST_CODE_PROGRESS, 33.0, L""}, {INSTALL_SUCCESS, 0.0, L""}}));
}

TEST(ChildStatusParser, LastVerdictOfARead) {
  Parsed p = ParseWhole(ChildStatusTable::Uninstaller, "Error=x\nState=Success\nProgress=9\n");
  EXPECT_EQ(p.verdicts.front(), 1);
  EXPECT_EQ(p.statuses, (std::vector<Status>{{UNIST_CODE_ERROR, 0.0, L"x"}, {UNIST_CODE_SUCCESS, 0.0, L""}, {UNIST_CODE_PROGRESS, 9.0, L""}}));
  p = ParseWhole(ChildStatusTable::Package, "State=Success\nError=late\n");
  EXPECT_EQ(p.verdicts.front(), 1000);
}

// One session of a package with every kind of line: CRLF and LF ends, UTF-8 text
// whose characters any boundary may split, an over-long line, no final line end.
std::string PackageSession() {
  std::string s = "Encode=UTF8\r\nProgress=0.05\n";
  s += "InstPath=C:\\Program Files\\\xE5\xA5\x8E\xE5\xB8\x83\r\n";
  s += "Message=\xE6\xAD\xA3\xE5\x9C\xA8\xE5\xAE\x89\xE8\xA3\x85 \xF0\x9F\x93\xA6\n";
  s += "InstallVersion=1.7.9\nExePath=C:\\Q\\Quibzip.exe\nStartExe=C:\\Q\\Quibzip.exe\n";
  s += "UninstExePath=C:\\Q\\uninst.exe\nUninstExe=C:\\Q\\u.exe\nUninstEp=C:\\Q\\uninst.ep\n";
  s += "TopShowDetention=-1\nFinsihCloseDetention=3\nStartUrl=http://q/\nStartupStyle= UserStartup \n";
  s += "Message=" + std::string(3000, 'x') + "\n";
  for (int i = 1; i <= 20; ++i) s += "Progress=" + std::to_string(i * 5) + "\n";
  s += "noise without a key\n\n";
  s += "State=Success";
  return s;
}

std::vector<Status> PackageSessionStatuses() {
  std::vector<Status> out = {
      {IST_CODE_PROGRESS, 0.05, L""},
      {IST_INFO_INSTPATH, 0.0, L"C:\\Program Files\\奎布\r"},
      {IST_INFO_MESSAGE, 0.0, L"正在安装 \U0001F4E6"},
      {IST_INFO_EXEPATH, 0.0, L"C:\\Q\\Quibzip.exe"},
      {IST_INFO_EXEPATH, 0.0, L"C:\\Q\\Quibzip.exe"},
      {IST_INFO_UNINSTEXE, 0.0, L"C:\\Q\\uninst.exe"},
      {IST_INFO_UNINSTEXE, 0.0, L"C:\\Q\\u.exe"},
      {IST_INFO_UNINSTEP, 0.0, L"C:\\Q\\uninst.ep"},
      {IST_INFO_TOPSHOW, 4294967295.0, L""},
      {IST_INFO_FINISHCLOSE, 3.0, L""},
      {IST_INFO_STARTURL, 0.0, L"http://q/"},
      {IST_INFO_STARTUPSTYLE, 2.0, L""},
      {IST_INFO_MESSAGE, 0.0, std::wstring(771, L'x')},
  };
  for (int i = 1; i <= 20; ++i) out.push_back({IST_CODE_PROGRESS, i * 5.0, L""});
  out.push_back({INSTALL_SUCCESS, 0.0, L""});
  return out;
}

TEST(ChildStatusParser, SameStatusesWhateverTheReadSizes) {
  const std::string session = PackageSession();
  const std::vector<Status> expected = PackageSessionStatuses();
  std::vector<std::vector<size_t>> splits = {{}, Pieces(session.size(), 1), Pieces(session.size(), 1024),
                                             Pieces(session.size(), 2), Pieces(session.size(), 3)};
  for (unsigned seed = 1; seed <= 20; ++seed) splits.push_back(RandomPieces(session.size(), seed));
  for (size_t i = 0; i < splits.size(); ++i) {
    SCOPED_TRACE("split " + std::to_string(i));
    Parsed p = ParseInPieces(ChildStatusTable::Package, session, splits[i]);
    EXPECT_EQ(p.statuses, expected);
    EXPECT_EQ(LastVerdict(p), 1);
    EXPECT_EQ(p.verdicts.back(), 1);  // the verdict was the unterminated tail
    EXPECT_EQ(p.codePage, 65001u);
  }
}

}  // namespace
