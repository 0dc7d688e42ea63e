// What the Win32 API decides: directories, registry, mutex across processes,
// process lookup, disk space, GUIDs, pipes and child processes.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <cwctype>
#include <string>

#include "support/test_env.h"
#include "utils/child_process.h"
#include "utils/hard_disk_manager.h"
#include "utils/instance_mutex.h"
#include "utils/system_queries.h"
#include "utils/text.h"
#include "utils/windows_version.h"

namespace {

std::wstring Tmp() { return Utils::ToWide(TestEnv::TmpDir(), Utils::kCodePageAnsi); }

std::wstring ProbePath() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring p = self;
  return p.substr(0, p.rfind(L'\\')) + L"\\utils_probe.exe";
}

struct ChildRun {
  uint32_t exitCode;
  std::string output;
};

// Runs a command line to its end through Utils::ChildProcess, reading all output.
ChildRun RunChild(const std::wstring& commandLine) {
  Utils::ChildProcess child;
  child.CreatePipes();
  child.Start(commandLine);
  ChildRun r{0, {}};
  char buf[1024];
  for (size_t n; (n = child.ReadOutput(buf, sizeof(buf))) > 0;) r.output.append(buf, n);
  child.Wait();
  r.exitCode = child.ExitCode();
  return r;
}

TEST(ChildProcess, OutputIsReadToItsEndAndTheExitCodeArrives) {
  ChildRun r = RunChild(L"\"" + ProbePath() + L"\" spew 200000");
  EXPECT_EQ(r.exitCode, 7u);
  ASSERT_EQ(r.output.size(), 200000u);
  for (size_t i = 0; i < r.output.size(); i += 9973) EXPECT_EQ(r.output[i], static_cast<char>('a' + i % 26));
}

TEST(ChildProcess, RefusedCreationAndOverlongCommandLineThrow) {
  Utils::ChildProcess missing;
  missing.CreatePipes();
  EXPECT_THROW(missing.Start(L"\"" + Tmp() + L"\\no-such-program.exe\""), Utils::Exception);
  Utils::ChildProcess overlong;
  overlong.CreatePipes();
  std::wstring line = L"\"" + ProbePath() + L"\" spew 1 ";
  line.append(1024 - line.size(), L'x');  // 1024 characters: one too many
  EXPECT_THROW(overlong.Start(line), Utils::Exception);
  line.resize(1023);
  Utils::ChildProcess fits;
  fits.CreatePipes();
  EXPECT_NO_THROW(fits.Start(line));
  fits.Wait();
}

TEST(InstanceMutex, HeldAcrossProcesses) {
  const std::wstring probe = L"\"" + ProbePath() + L"\" mutex QzTestInstance";
  {
    Utils::InstanceMutex mine(L"QzTestInstance");
    ASSERT_TRUE(mine.Acquire());
    EXPECT_EQ(RunChild(probe).exitCode, 1u) << "a second process must not get the lock";
    Utils::InstanceMutex again(L"QzTestInstance");
    EXPECT_FALSE(again.Acquire()) << "nor a second holder in this process";
    mine.Release();
    EXPECT_FALSE(mine.Held());
  }
  EXPECT_EQ(RunChild(probe).exitCode, 0u) << "released, the lock is free again";
}

TEST(FindProcessByName, ExactCaseOnly) {
  std::wstring copy = Tmp() + L"\\Quibzip.exe";
  ASSERT_TRUE(CopyFileW(ProbePath().c_str(), copy.c_str(), FALSE));
  Utils::ChildProcess child;
  child.CreatePipes();
  child.Start(L"\"" + copy + L"\" wait");
  EXPECT_EQ(Utils::FindProcessByName(L"Quibzip.exe"), child.processId);
  EXPECT_EQ(Utils::FindProcessByName(L"quibzip.exe"), 0u);
  EXPECT_EQ(Utils::FindProcessByName(L"Quibzip_un_asa.exe"), 0u);
  child.input.Close();  // the probe waits for its input to end
  child.Wait();
  DeleteFileW(copy.c_str());
}

TEST(CreateDirectoryTree, NestedAndTooLong) {
  std::wstring base = Tmp() + L"\\tree";
  std::wstring deep = base + L"\\a\\b\\c";
  ASSERT_TRUE(Utils::CreateDirectoryTree(deep));
  EXPECT_NE(GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Utils::CreateDirectoryTree(deep + L"\\")) << "existing folders and a trailing backslash";
  std::wstring tooLong = base + L"\\long\\";
  tooLong.append(261 - tooLong.size(), L'z');
  ASSERT_EQ(tooLong.size(), 261u);
  EXPECT_FALSE(Utils::CreateDirectoryTree(tooLong));
  EXPECT_EQ(GetFileAttributesW((base + L"\\long").c_str()), INVALID_FILE_ATTRIBUTES) << "nothing created";
  EXPECT_TRUE(Utils::CreateDirectoryTree(L"C:\\"));
}

TEST(ProductRegistry, RoundTrip) {
  std::wstring value = L"QzTest_\u5b89\u88c5";
  EXPECT_TRUE(Utils::WriteProductRegValue(value, L"C:\\Program Files\\Quibzip"));
  std::wstring text = L"unchanged";
  EXPECT_TRUE(Utils::ReadProductRegValue(value, text));
  EXPECT_EQ(text, L"C:\\Program Files\\Quibzip");
  EXPECT_TRUE(Utils::WriteProductRegValue(value, L""));
  EXPECT_TRUE(Utils::ReadProductRegValue(value, text));
  EXPECT_EQ(text, L"");
  text = L"unchanged";
  EXPECT_FALSE(Utils::ReadProductRegValue(L"QzTest_absent", text));
  EXPECT_EQ(text, L"unchanged");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\ZorvikSoft\\Quibzip", 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  RegDeleteValueW(key, value.c_str());
  RegCloseKey(key);
}

TEST(SystemQueries, FreeSpaceGuidTempAndVersion) {
  Utils::HardDiskManager disk;
  EXPECT_FALSE(disk.CheckFreeSpace(L"Q:"));
  EXPECT_EQ(disk.freeBytesAvailable + disk.totalBytes + disk.totalFreeBytes, 0u);
  EXPECT_TRUE(disk.CheckFreeSpace(L"C:"));
  EXPECT_GT(disk.totalBytes, 0u);

  CoInitialize(nullptr);
  std::wstring a = Utils::NewGuidString(), b = Utils::NewGuidString();
  CoUninitialize();
  ASSERT_EQ(a.size(), 32u);
  EXPECT_NE(a, b);
  for (size_t i = 0; i < a.size(); ++i) {
    ASSERT_TRUE(std::iswxdigit(a[i])) << i;
    if (std::iswalpha(a[i])) {
      EXPECT_EQ(i >= 12 && i < 16, std::iswlower(a[i]) != 0) << "digit " << i + 1;
    }
  }

  std::wstring temp = Utils::GetInstallerTempDir();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.substr(temp.size() - 29), L"~ZorvikTemp.92482B06FB471E17\\");
  EXPECT_NE(GetFileAttributesW(temp.c_str()), INVALID_FILE_ATTRIBUTES);

  Utils::WindowsVersion v = Utils::GetWindowsVersionName();
  EXPECT_EQ(v.family, L"Windows");
  EXPECT_FALSE(v.name.empty());
}

TEST(SystemQueries, NetworkVerdictIsOneOfThree) {
  CoInitialize(nullptr);
  uint32_t net = Utils::CheckNetwork();
  CoUninitialize();
  EXPECT_LE(net >> 16, 2u);
}

}  // namespace
