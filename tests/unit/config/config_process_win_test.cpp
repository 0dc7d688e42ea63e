// The settings record as a started executable sees it: the file beside it read
// during static initialisation, then the real command line split by the system.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>

#include "support/test_env.h"
#include "utils/child_process.h"
#include "utils/text.h"

namespace {

std::wstring Here() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring p = self;
  return p.substr(0, p.rfind(L'\\'));
}

std::map<std::string, std::string> RunProbe(const std::wstring& exe, const std::wstring& args) {
  Utils::ChildProcess child;
  child.CreatePipes();
  child.Start(L"\"" + exe + L"\" " + args);
  std::string out;
  char buf[1024];
  for (size_t n; (n = child.ReadOutput(buf, sizeof(buf))) > 0;) out.append(buf, n);
  child.Wait();
  std::map<std::string, std::string> fields;
  size_t pos = 0;
  for (size_t nl; (nl = out.find('\n', pos)) != std::string::npos; pos = nl + 1) {
    std::string line = out.substr(pos, nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();  // text-mode standard output
    size_t eq = line.find('=');
    if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return fields;
}

TEST(InstallerConfigProcess, FileThenCommandLine) {
  std::wstring dir = Utils::ToWide(TestEnv::TmpDir(), Utils::kCodePageAnsi) + L"\\probe";
  CreateDirectoryW(dir.c_str(), nullptr);
  std::wstring exe = dir + L"\\MyInstaller.exe";
  ASSERT_TRUE(CopyFileW((Here() + L"\\config_probe.exe").c_str(), exe.c_str(), FALSE));
  std::string ini = Utils::ToNarrow(dir, Utils::kCodePageAnsi) + "\\ZorvikInstallerConfig.ini";
  FILE* f = std::fopen(ini.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("[Install]\r\nDownloadUrl=http://file/${ROUTE}/x\r\nDownloadType=2\r\nDownloadScale=0.4\r\n", f);
  std::fclose(f);

  auto fields = RunProbe(exe, L"-instcmd=\"-a b\" -downloadtype=3 -downloadtype=1 \"-dlappversion=1 2\" -IsCheckNet=true");
  EXPECT_EQ(fields["FileDownloadUrl"], "http://file/download_silent/x");
  EXPECT_EQ(fields["ExeName"], "MyInstaller.exe");
  EXPECT_EQ(fields["InstCmd"], "-a b") << "quotes group blanks and are removed";
  EXPECT_EQ(fields["DlAppVersion"], "1 2");
  EXPECT_EQ(fields["DownloadType"], "3") << "first occurrence wins";
  EXPECT_EQ(fields["IsCheckNet"], "1") << "-IsCheckNet is another key; the file lacks the key: on";
  EXPECT_EQ(fields["DownloadScale"], "0.4");

  fields = RunProbe(exe, L"-downloadurl -ischecknet -downloadscale=abc");
  EXPECT_EQ(fields["DownloadUrl"], "");
  EXPECT_EQ(fields["IsCheckNet"], "0");
  EXPECT_EQ(fields["DownloadScale"], "0.4");
}

}  // namespace
