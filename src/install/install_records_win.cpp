#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <clocale>
#include <cwchar>

#include "install/install_records.h"
#include "utils/profile.h"
#include "utils/system_queries.h"

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t buf[MAX_PATH + 1] = {};
  DWORD n = GetEnvironmentVariableW(name, buf, MAX_PATH + 1);
  return n > 0 && n <= MAX_PATH ? std::wstring(buf) : std::wstring();
}

std::wstring ShellFolder(int csidl) {
  wchar_t buf[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf)) ? std::wstring(buf)
                                                                                       : std::wstring();
}

// Both paths are folders; true when they name the same one.
bool SameFolder(const std::wstring& from, const std::wstring& to) {
  if (from.empty() || to.empty()) return false;
  wchar_t rel[MAX_PATH] = {};
  if (!PathRelativePathToW(rel, from.c_str(), FILE_ATTRIBUTE_DIRECTORY, to.c_str(), FILE_ATTRIBUTE_DIRECTORY))
    return false;
  return std::wcscmp(rel, L".") == 0;
}

std::wstring Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  wchar_t buf[64];
  std::swprintf(buf, 64, L"%d-%02d-%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return buf;
}

}  // namespace

void ReadInstallRecord(InstallRecord& record) {
  record.installDir.clear();
  record.uninstallerPath.clear();
  Utils::ReadProductRegValue(L"InstallPath", record.installDir);
  Utils::ReadProductRegValue(L"UnInstallEp", record.uninstallerPath);
  if (record.uninstallerPath.empty() && !record.installDir.empty())
    record.uninstallerPath = record.installDir + L"\\uninst.ep";
}

std::wstring DefaultInstallDir(InstallRecord& record) {
  std::wstring user;
  record.consoleUserIsAdmin = Utils::GetConsoleUserName(user) && Utils::IsUserAdmin(user);
  record.processIsAdmin = Utils::IsProcessAdmin();
  if (!record.installDir.empty() && Utils::FileExists(record.uninstallerPath)) return record.installDir;
  std::wstring appData = Env(L"APPDATA");
  std::wstring base;
  if (record.consoleUserIsAdmin && record.processIsAdmin && !appData.empty()) {
    base = appData + L"\\velorandi";
  } else {
    base = ShellFolder(CSIDL_PROGRAM_FILESX86);
    if (base.empty()) base = ShellFolder(CSIDL_PROGRAM_FILES);
  }
  return base + L"\\Quibzip";
}

bool IsDefaultFolder(InstallRecord& record, const std::wstring& folder) {
  return SameFolder(DefaultInstallDir(record), folder);
}

std::wstring ResolveInstallDir(InstallRecord& record, const std::wstring& typed) {
  if (IsDefaultFolder(record, typed)) return DefaultInstallDir(record);
  std::wstring parent = typed;
  while (!parent.empty() && parent.back() == L'\\') parent.pop_back();
  return parent + L"\\Quibzip";
}

bool KeepsExistingInstallation(const InstallRecord& record, const std::wstring& folder) {
  if (!SameFolder(record.installDir, folder)) return false;
  return Utils::ReadProfileString(folder + L"\\set.ini", L"Uninstall", L"IsOverride", L"true", 20) == L"false";
}

void WriteRegistryRecord(const std::wstring& newInstallDir, std::wstring newUninstallerPath) {
  Utils::WriteProductRegValue(L"InstallPath", newInstallDir);
  if (newUninstallerPath.empty()) newUninstallerPath = newInstallDir + L"\\uninst.ep";
  if (Utils::FileExists(newUninstallerPath)) Utils::WriteProductRegValue(L"UnInstallEp", newUninstallerPath);
}

void WriteInstallIni(const std::wstring& newInstallDir, const std::wstring& exeName) {
  const std::wstring ini = newInstallDir + L"\\set.ini";
  std::setlocale(LC_ALL, "en_GB.UTF-8");  // the product reads its files in this locale
  Utils::WriteProfileString(ini, L"Install", L"APPStore", exeName);
  Utils::WriteProfileString(ini, L"Install", L"AppName", L"Quibzip");
  Utils::WriteProfileString(ini, L"Install", L"DeviceID", Utils::NewGuidString());
  if (!Utils::CreateDirectoryTree(ProductDataFolder())) return;
  Utils::WriteProfileString(ini, L"Install", L"DORadurorAdudariviZav", AnalyticsSettingsFile());
  Utils::WriteProfileString(AnalyticsSettingsFile(), L"Init", L"UpdateTime", Now());
}

std::wstring ProductDataFolder() {
  std::wstring base = Env(L"APPDATA");
  if (base.empty()) base = ShellFolder(CSIDL_COMMON_DOCUMENTS);
  return base + L"\\ZorvikData\\Quibzip";
}

std::wstring AnalyticsSettingsFile() { return ProductDataFolder() + L"\\ZVAnalytics.ini"; }
