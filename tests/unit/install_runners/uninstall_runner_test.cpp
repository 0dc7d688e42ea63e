// UninstallRunner against the real fake uninstaller: its command line, its
// verdicts and the ends of a run.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#endif

#include <string>
#include <vector>

#include "install/status_codes.h"
#include "install/uninstall_runner.h"
#include "support/fake_children.h"
#include "support/status_recorder.h"

namespace {

using FakeChildren::Wide;

const Status kStarted = {UNIST_CODE_PROGRESS, 0.0, L""};
const Status kEndedByChild = {UNIST_CODE_SUCCESS, 1.0, L""};

std::vector<Status> RunUninstaller(const std::wstring& path, const std::wstring& workDir,
                                   std::wstring* commandLine = nullptr) {
  StatusRecorder rec;
  {
    UninstallRunner runner(rec.Callback(), path, workDir);
    runner.Start();
    if (commandLine) *commandLine = runner.CommandLine();
  }
  return rec.Snapshot();
}

std::vector<Status> RunScript(const std::string& script) {
  FakeChildren::UseScript("QZ_FAKE_UNINSTALLER_SCRIPT", "uninstaller.script", script);
  return RunUninstaller(Wide(FakeChildren::Path("qz_fake_uninstaller")), Wide(TestEnv::TmpDir()));
}

TEST(UninstallRunnerCommandLine, RightsAndFolder) {
  EXPECT_EQ(UninstallRunner::BuildCommandLine(L"C:\\T\\Quibzip_un_asa.exe", true, false, L"C:\\Program Files\\Q"),
            L"C:\\T\\Quibzip_un_asa.exe /S -adminact=true -authorizationact=false -console=show _?=C:\\Program Files\\Q");
  EXPECT_EQ(UninstallRunner::BuildCommandLine(L"u.exe", false, true, L"D:\\Q"),
            L"u.exe /S -adminact=false -authorizationact=true -console=show _?=D:\\Q");
}

TEST(UninstallRunner, CommandLineReachesTheUninstallerExactly) {
  // The previous installation the uninstaller works on, in place.
  std::string workDir = TestEnv::Join(TestEnv::TmpDir(), "old_install");
  std::string product = TestEnv::Join(workDir, "Quibzip.exe");
  std::string record = TestEnv::Join(TestEnv::TmpDir(), "uninstaller.cmdline");
  FakeChildren::UseScript("QZ_FAKE_UNINSTALLER_SCRIPT", "record.script", "record " + record + "\nline Progress=40\n");
#ifdef _WIN32
  _wmkdir(Wide(workDir).c_str());
#else
  mkdir(workDir.c_str(), 0755);
#endif
  ASSERT_TRUE(FakeChildren::WriteFile(product, "old"));
  std::wstring commandLine;
  std::vector<Status> got = RunUninstaller(Wide(FakeChildren::Path("qz_fake_uninstaller")), Wide(workDir), &commandLine);
  EXPECT_EQ(FakeChildren::ReadFile(record), FakeChildren::ExpectedRecord(commandLine));
  EXPECT_EQ(commandLine.rfind(L" _?=" + Wide(workDir)), commandLine.size() - workDir.size() - 4);
  EXPECT_EQ(got, (std::vector<Status>{kStarted, {UNIST_CODE_PROGRESS, 40.0, L""}, kEndedByChild}));
  EXPECT_FALSE(FakeChildren::Exists(product));
}

TEST(UninstallRunner, MissingCopyAndRefusedStart) {
  EXPECT_EQ(RunUninstaller(Wide(TestEnv::Join(TestEnv::TmpDir(), "no_such_uninstaller.exe")), L"C:\\Q"),
            (std::vector<Status>{{UNIST_CODE_FAIL, 1.0, L"可执行卸载文件不存在"}}));
  // A file that is there but is no program.
  std::string notAProgram = TestEnv::Join(TestEnv::TmpDir(), "not_a_program.exe");
  ASSERT_TRUE(FakeChildren::WriteFile(notAProgram, "this is text, not a program\n"));
  EXPECT_EQ(RunUninstaller(Wide(notAProgram), L"C:\\Q"), (std::vector<Status>{kStarted, {UNIST_CODE_FAIL, 2.0, L""}}));
}

TEST(UninstallRunner, VerdictsAndEnds) {
  struct Case {
    const char* what;
    std::string script;
    std::vector<Status> after;  // what follows 5002
  };
  const Case cases[] = {
      {"error, then success", "line Error=file locked\nline State=Success\n",
       {{UNIST_CODE_ERROR, 0.0, L"file locked"}, {UNIST_CODE_SUCCESS, 0.0, L""}}},
      {"error and success in separate writes", "line Error=x\nsleep 300\nline State=Success\n",
       {{UNIST_CODE_ERROR, 0.0, L"x"}, {UNIST_CODE_SUCCESS, 0.0, L""}}},
      {"no verdict, whatever the exit code", "line Progress=30\nexit 3\n",
       {{UNIST_CODE_PROGRESS, 30.0, L""}, kEndedByChild}},
      {"fail on the last, unterminated line", "line Progress=90\ntext State=Fail\n",
       {{UNIST_CODE_PROGRESS, 90.0, L""}, {UNIST_CODE_ERROR, 0.0, L"安装包卸载失败"}}},
      {"reading goes on after a verdict", "line State=Fail\nsleep 300\nline Progress=80\n",
       {{UNIST_CODE_ERROR, 0.0, L"安装包卸载失败"}, {UNIST_CODE_PROGRESS, 80.0, L""}}},
      {"success printed just before exit", "text State=Success\n", {{UNIST_CODE_SUCCESS, 0.0, L""}}},
      {"package keys mean nothing here", "line InstPath=C:\\\\Q\nline Message=m\n", {kEndedByChild}},
      {"an error text cut inside a character", "line Encode=UTF8\ntext Error=\\xE5\nsleep 300\ntext \\xA5\\x8E\\n\n",
       {{UNIST_CODE_ERROR, 0.0, L"奎"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Status> expected = {kStarted};
    expected.insert(expected.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(RunScript(c.script), expected);
  }
}

}  // namespace
