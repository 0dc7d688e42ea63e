// PackageRunner against the real fake package: the command line it receives, the
// status sequence however the package's writes arrive, and the ends of a run.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/installer_config.h"
#include "install/package_runner.h"
#include "install/status_codes.h"
#include "support/fake_children.h"
#include "support/status_recorder.h"

namespace {

using FakeChildren::Wide;

const std::vector<Status> kStart = {{IST_CODE_START, 0.0, L""}, {IST_CODE_PROGRESS, 0.0, L""}};
const Status kEndedByChild = {INSTALL_SUCCESS, 1.0, L""};

std::vector<Status> Concat(std::vector<Status> a, const std::vector<Status>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::wstring PackageCommand() { return L"\"" + Wide(FakeChildren::Path("qz_fake_package")) + L"\""; }

// Runs the fake package with the script to its end (the runner's destructor waits
// for the worker and the child) and returns everything reported.
std::vector<Status> RunPackage(const std::string& script, const std::wstring& installDir = L"",
                               std::wstring* commandLine = nullptr) {
  FakeChildren::UseScript("QZ_FAKE_PACKAGE_SCRIPT", "package.script", script);
  StatusRecorder rec;
  {
    PackageRunner runner(rec.Callback(), PackageCommand(), installDir, true, false, true);
    runner.Start();
    if (commandLine) *commandLine = runner.CommandLine();
  }
  return rec.Snapshot();
}

TEST(PackageRunnerCommandLine, SwitchesInstCmdAndFolder) {
  struct Case {
    std::wstring installDir, instCmd;
    bool dsc, ssc, admin, auth;
    std::wstring expected;
  };
  const std::wstring pkg = L"\"C:\\Q\\__Package_Quibzip.exe\"";
  const std::wstring fixed = pkg + L" /S -console=show -version=1.0.0";
  const Case cases[] = {
      {L"", L"", true, false, true, true, fixed + L" -adminact=true -authorizationact=true -dsc=true -ssc=false"},
      {L"", L"-channel=7 -x", false, true, false, false,
       fixed + L" -adminact=false -authorizationact=false -dsc=false -ssc=true -channel=7 -x"},
      {L"C:\\Program Files\\QuibZip", L"", true, true, true, false,
       fixed + L" -adminact=true -authorizationact=false -dsc=true -ssc=true"
               L" -instdir=\"C:\\Program Files\\QuibZip\" /D=C:\\Program Files\\QuibZip"},
      {L"D:\\Q", L"-a=\"b c\"", false, false, false, true,
       fixed + L" -adminact=false -authorizationact=true -dsc=false -ssc=false -a=\"b c\" -instdir=\"D:\\Q\" /D=D:\\Q"},
  };
  for (const Case& c : cases) {
    PackageRunner runner(nullptr, pkg, L"", false, false, false);
    runner.SetInstallDir(c.installDir);
    runner.SetDesktopShortcut(c.dsc);
    runner.SetQuickLaunch(c.ssc);
    runner.SetAdminAct(c.admin);
    runner.SetAuthorizationAct(c.auth);
    EXPECT_EQ(runner.BuildCommandLine(c.instCmd), c.expected);
  }
}

TEST(PackageRunner, CommandLineReachesThePackageExactly) {
  struct Case {
    std::string folder;  // below the scratch folder; empty: no install folder
    std::wstring instCmd;
  };
  const Case cases[] = {{"", L""}, {"", L"-channel=7 -mode=\"quiet please\""}, {"inst dir one", L""},
                        {"inst dir two", L"-channel=8"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    std::string record = TestEnv::Join(TestEnv::TmpDir(), "package.cmdline");
    std::remove(record.c_str());
    std::string dir = c.folder.empty() ? "" : TestEnv::Join(TestEnv::TmpDir(), c.folder);
    InstallerConfig::Get().InstCmd = c.instCmd;
    std::wstring commandLine;
    std::vector<Status> got = RunPackage("record " + record + "\n", Wide(dir), &commandLine);
    InstallerConfig::Get().InstCmd.clear();
    EXPECT_NE(commandLine.find(c.instCmd), std::wstring::npos);
    EXPECT_EQ(FakeChildren::ReadFile(record), FakeChildren::ExpectedRecord(commandLine));
    EXPECT_EQ(got, Concat(kStart, {kEndedByChild}));
    if (!dir.empty()) {
      EXPECT_TRUE(FakeChildren::Exists(TestEnv::Join(dir, "Quibzip.exe")));
      EXPECT_TRUE(FakeChildren::Exists(TestEnv::Join(dir, "uninst.ep")));
    }
  }
}

// A session whose lines and characters any write boundary may split; it ends with
// its verdict on an unterminated line, printed just before the package exits.
const char kSessionLines[] =
    "Encode=UTF8\r\n"
    "Progress=12.5\n"
    "InstPath=C:\\Program Files\\\xE5\xA5\x8E\n"
    "Message=\xE6\xAD\xA3\xE5\x9C\xA8\xE5\xAE\x89\xE8\xA3\x85\n"
    "ExePath=C:\\Q\\Quibzip.exe\n"
    "UninstEp=C:\\Q\\uninst.ep\n"
    "TopShowDetention=-1\n"
    "StartupStyle= AutoStartup \n"
    "Progress=100\n"
    "State=Success";

const std::vector<Status> kSessionStatuses = {
    {IST_CODE_PROGRESS, 12.5, L""},         {IST_INFO_INSTPATH, 0.0, L"C:\\Program Files\\奎"},
    {IST_INFO_MESSAGE, 0.0, L"正在安装"},   {IST_INFO_EXEPATH, 0.0, L"C:\\Q\\Quibzip.exe"},
    {IST_INFO_UNINSTEP, 0.0, L"C:\\Q\\uninst.ep"}, {IST_INFO_TOPSHOW, 4294967295.0, L""},
    {IST_INFO_STARTUPSTYLE, 1.0, L""},      {IST_CODE_PROGRESS, 100.0, L""},
    {INSTALL_SUCCESS, 0.0, L""},
};

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

// The session as writes of random sizes with short random pauses between them.
std::string RandomWrites(const std::string& bytes, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<size_t> size(1, 60);
  std::uniform_int_distribution<int> pause(0, 25);
  std::string script;
  for (size_t at = 0; at < bytes.size();) {
    size_t n = std::min(size(rng), bytes.size() - at);
    script += "hex " + Hex(bytes.substr(at, n)) + "\nsleep " + std::to_string(pause(rng)) + "\n";
    at += n;
  }
  return script;
}

TEST(PackageRunner, SameStatusesWhateverThePackagesWriteSizes) {
  const std::string session = kSessionLines;
  const std::string whole = "hex " + Hex(session) + "\n";
  const std::vector<std::pair<const char*, std::string>> deliveries = {
      {"one write", whole},
      {"1-byte writes", "chunk 1\n" + whole},
      {"1-byte writes, 2 ms apart", "chunk 1 2\n" + whole},
      {"random writes", RandomWrites(session, 7)},
      {"random writes, other seed", RandomWrites(session, 8)},
      {"1024-byte writes", "chunk 1024 5\n" + whole},
  };
  for (const auto& d : deliveries) {
    SCOPED_TRACE(d.first);
    EXPECT_EQ(RunPackage(d.second + "exit 3\n"), Concat(kStart, kSessionStatuses));
  }
}

TEST(PackageRunner, EndsOfARun) {
  struct Case {
    const char* what;
    std::string script;
    std::vector<Status> after;  // what follows 2001 and 2002
  };
  const Case cases[] = {
      {"exit without a verdict, whatever the code", "line Progress=10\nexit 5\n",
       {{IST_CODE_PROGRESS, 10.0, L""}, kEndedByChild}},
      {"no output at all", "", {kEndedByChild}},
      {"fail just before exit", "line Progress=50\ntext State=Fail\n",
       {{IST_CODE_PROGRESS, 50.0, L""}, {IST_CODE_FAIL, 0.0, L"安装包安装失败"}}},
      {"error just before exit", "line Error=disk full\n", {{IST_CODE_FAIL, 1000.0, L"disk full"}}},
      {"success, then more in the same write and later",
       "text State=Success\\nInstPath=C:\\\\after\\n\nsleep 400\nline Message=late\nline State=Success\n",
       {{INSTALL_SUCCESS, 0.0, L""}, {IST_INFO_INSTPATH, 0.0, L"C:\\after"}}},
      {"a verdict, then more output than a pipe holds",
       "line State=Fail\nchunk 1024\ntext " + std::string(300000, 'z') + "\n",
       {{IST_CODE_FAIL, 0.0, L"安装包安装失败"}}},
      {"output closed, the package goes on", "line Progress=1\nclose\nsleep 300\n",
       {{IST_CODE_PROGRESS, 1.0, L""}, kEndedByChild}},
      {"a line cut inside a character by a read boundary",
       "line Encode=UTF8\ntext InstPath=C:\\\\Q\\xE5\nsleep 400\ntext \\xA5\\x8E\\n\n",
       {{IST_INFO_INSTPATH, 0.0, L"C:\\Q奎"}, kEndedByChild}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RunPackage(c.script), Concat(kStart, c.after));
  }
}

TEST(PackageRunner, OutputLeftInThePipeAtExitIsRead) {
  // Far more than one 1024-byte read, all written at once before exiting, while
  // the runner sleeps 100 ms between reads.
  std::string script;
  std::vector<Status> expected;
  for (int i = 0; i < 80; ++i) {
    std::string text = "line " + std::to_string(i) + std::string(50, '.');
    script += "line Message=" + text + "\n";
    expected.push_back({IST_INFO_MESSAGE, 0.0, Wide(text)});
  }
  script += "line InstPath=C:\\\\last\n";
  expected.push_back({IST_INFO_INSTPATH, 0.0, L"C:\\last"});
  expected.push_back(kEndedByChild);
  EXPECT_EQ(RunPackage(script), Concat(kStart, expected));
}

#ifdef _WIN32
TEST(PackageRunner, CodePage936FromTheLineAfterEncode) {
  // "中文" in code page 936, in the same write as the switch.
  std::string script = "hex " + Hex("Encode=936\nMessage=") + "D6D0CEC4 0A\n";
  EXPECT_EQ(RunPackage(script), Concat(kStart, {{IST_INFO_MESSAGE, 0.0, L"中文"}, kEndedByChild}));
}
#endif

TEST(PackageRunner, PackageThatCannotBeStarted) {
  const std::vector<Status> refused = Concat(kStart, {{IST_CODE_FAIL, 2.0, L""}});
  StatusRecorder missing;
  {
    PackageRunner runner(missing.Callback(), L"\"" + Wide(FakeChildren::Path("no_such_package")) + L"\"", L"", true,
                         false, true);
    runner.Start();
  }
  EXPECT_EQ(missing.Snapshot(), refused);
  // A command line over 1023 characters is refused, not cut.
  StatusRecorder tooLong;
  {
    PackageRunner runner(tooLong.Callback(), PackageCommand(), std::wstring(600, L'd'), true, false, true);
    runner.Start();
    EXPECT_GT(runner.CommandLine().size(), 1023u);
  }
  EXPECT_EQ(tooLong.Snapshot(), refused);
}

TEST(PackageRunner, StartsAgainAfterARun) {
  FakeChildren::UseScript("QZ_FAKE_PACKAGE_SCRIPT", "again.script", "line Progress=5\n");
  StatusRecorder rec;
  auto runner = std::make_unique<PackageRunner>(rec.Callback(), PackageCommand(), L"", true, false, true);
  runner->Start();
  ASSERT_TRUE(rec.WaitForCode({INSTALL_SUCCESS}, std::chrono::seconds(60)));
  runner->Start();  // each Start waits for the run before it
  runner->Start();
  runner.reset();
  const std::vector<Status> one = Concat(kStart, {{IST_CODE_PROGRESS, 5.0, L""}, kEndedByChild});
  EXPECT_EQ(rec.Snapshot(), Concat(Concat(one, one), one));
}

}  // namespace
