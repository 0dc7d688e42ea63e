// The records of an existing installation and the folder rules, against the real
// registry, profile files and shell folders of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "install/install_records.h"
#include "support/test_env.h"
#include "utils/profile.h"
#include "utils/system_queries.h"
#include "utils/text.h"

namespace {

// Removes a folder's contents so each run starts from nothing.
void ClearFolder(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = dir + L"\\" + name;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ClearFolder(path);
      RemoveDirectoryW(path.c_str());
    } else {
      DeleteFileW(path.c_str());
    }
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

class InstallRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZorvikSoft\\Quibzip");
    tmp_ = Utils::ToWide(TestEnv::TmpDir(), Utils::kCodePageAnsi);
    ClearFolder(tmp_);
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZorvikSoft\\Quibzip"); }

  std::wstring Folder(const std::wstring& name) {
    std::wstring f = tmp_ + L"\\" + name;
    Utils::CreateDirectoryTree(f);
    return f;
  }
  static void Touch(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
  }
  std::wstring tmp_;
};

TEST_F(InstallRecords, RecordedFolderWithoutUninstallerValue) {
  InstallRecord r;
  ReadInstallRecord(r);
  EXPECT_EQ(r.installDir, L"");
  EXPECT_EQ(r.uninstallerPath, L"");
  ASSERT_TRUE(Utils::WriteProductRegValue(L"InstallPath", L"C:\\Apps\\Quibzip"));
  ASSERT_TRUE(Utils::WriteProductRegValue(L"UnInstallEp", L""));
  ReadInstallRecord(r);
  EXPECT_EQ(r.installDir, L"C:\\Apps\\Quibzip");
  EXPECT_EQ(r.uninstallerPath, L"C:\\Apps\\Quibzip\\uninst.ep");
}

TEST_F(InstallRecords, DefaultFolderAndTypedFolders) {
  InstallRecord r;
  std::wstring def = DefaultInstallDir(r);
  ASSERT_GT(def.size(), 8u);
  EXPECT_EQ(def.substr(def.size() - 8), L"\\Quibzip");
  EXPECT_TRUE(IsDefaultFolder(r, def));
  EXPECT_EQ(ResolveInstallDir(r, def), def) << "the default folder is used as it is";
  EXPECT_EQ(ResolveInstallDir(r, L"D:\\Tools"), L"D:\\Tools\\Quibzip");
  EXPECT_EQ(ResolveInstallDir(r, L"D:\\"), L"D:\\Quibzip");
  EXPECT_FALSE(IsDefaultFolder(r, L"D:\\Tools"));

  // A recorded folder whose uninstaller exists becomes the default; without the file it does not.
  std::wstring old = Folder(L"old");
  Utils::WriteProductRegValue(L"InstallPath", old);
  ReadInstallRecord(r);
  EXPECT_EQ(DefaultInstallDir(r), def);
  Touch(old + L"\\uninst.ep");
  EXPECT_EQ(DefaultInstallDir(r), old);
}

TEST_F(InstallRecords, IsOverrideRule) {
  std::wstring same = Folder(L"same"), other = Folder(L"other");
  InstallRecord r;
  r.installDir = same;
  struct Case { const wchar_t* value; const std::wstring* folder; bool keeps; };
  const Case cases[] = {
      {L"false", &same, true}, {L"false", &other, false}, {L"FALSE", &same, false},
      {L"true", &same, false}, {nullptr, &same, false},
  };
  for (const Case& c : cases) {
    for (const std::wstring* f : {&same, &other}) DeleteFileW((*f + L"\\set.ini").c_str());
    if (c.value) Utils::WriteProfileString(*c.folder + L"\\set.ini", L"Uninstall", L"IsOverride", c.value);
    EXPECT_EQ(KeepsExistingInstallation(r, same), c.keeps) << (c.value ? c.value : L"(none)");
  }
  InstallRecord fresh;
  EXPECT_FALSE(KeepsExistingInstallation(fresh, same)) << "no recorded folder";
}

TEST_F(InstallRecords, RegistryRecordAfterSuccess) {
  std::wstring dir = Folder(L"new");
  WriteRegistryRecord(dir, L"");
  std::wstring v = L"unset";
  EXPECT_TRUE(Utils::ReadProductRegValue(L"InstallPath", v));
  EXPECT_EQ(v, dir);
  EXPECT_FALSE(Utils::ReadProductRegValue(L"UnInstallEp", v)) << "no uninstaller file, no value";
  Touch(dir + L"\\uninst.ep");
  WriteRegistryRecord(dir, L"");
  EXPECT_TRUE(Utils::ReadProductRegValue(L"UnInstallEp", v));
  EXPECT_EQ(v, dir + L"\\uninst.ep");
  Touch(dir + L"\\un.exe");
  WriteRegistryRecord(dir, dir + L"\\un.exe");
  EXPECT_TRUE(Utils::ReadProductRegValue(L"UnInstallEp", v));
  EXPECT_EQ(v, dir + L"\\un.exe");
}

TEST_F(InstallRecords, InstallIniWrittenTwiceGetsANewDeviceId) {
  std::wstring dir = Folder(L"ini");
  std::wstring ini = dir + L"\\set.ini";
  WriteInstallIni(dir, L"QuibzipInstaller.exe");
  std::wstring first = Utils::ReadProfileString(ini, L"Install", L"DeviceID", L"");
  WriteInstallIni(dir, L"QuibzipInstaller.exe");
  std::wstring second = Utils::ReadProfileString(ini, L"Install", L"DeviceID", L"");
  EXPECT_EQ(first.size(), 32u);
  EXPECT_EQ(second.size(), 32u);
  EXPECT_NE(first, second);
  EXPECT_EQ(Utils::ReadProfileString(ini, L"Install", L"APPStore", L""), L"QuibzipInstaller.exe");
  EXPECT_EQ(Utils::ReadProfileString(ini, L"Install", L"AppName", L""), L"Quibzip");
  EXPECT_EQ(Utils::ReadProfileString(ini, L"Install", L"DORadurorAdudariviZav", L""), AnalyticsSettingsFile());
  std::wstring data = ProductDataFolder();
  EXPECT_EQ(data.substr(data.size() - 19), L"\\ZorvikData\\Quibzip");
  std::wstring when = Utils::ReadProfileString(AnalyticsSettingsFile(), L"Init", L"UpdateTime", L"");
  ASSERT_EQ(when.size(), 19u) << "yyyy-mm-dd hh:mm:ss";
  EXPECT_EQ(when[4], L'-');
  EXPECT_EQ(when[10], L' ');
}

TEST_F(InstallRecords, MissingInstallFolderWritesNothingThere) {
  std::wstring dir = tmp_ + L"\\absent";
  WriteInstallIni(dir, L"x.exe");
  EXPECT_FALSE(Utils::FileExists(dir + L"\\set.ini"));
}

}  // namespace
