// An installation that is already there, where a new one goes, whether the old
// one is removed first, and the records a successful installation leaves for the
// next installer and for the product: the registry values under
// HKEY_CURRENT_USER\Software\ZorvikSoft\Quibzip and "set.ini" in the install folder.
// Main thread only.
#pragma once
#include <string>

// What the main window keeps about the old and the new installation.
struct InstallRecord {
  std::wstring installDir;          // recorded folder (registry), empty when none
  std::wstring uninstallerPath;     // recorded uninstaller, defaulted to "<folder>\uninst.ep"
  std::wstring newInstallDir;       // chosen folder, then the one the package reports
  std::wstring newUninstallerPath;  // as the package reports it
  bool consoleUserIsAdmin = false;
  bool processIsAdmin = false;
};

// Fills installDir and uninstallerPath from the registry.
void ReadInstallRecord(InstallRecord& record);
// The recorded folder when its uninstaller exists, else "<base>\Quibzip" (base:
// APPDATA\velorandi for an administrator console user running elevated, else the
// 32-bit program-files folder). Also sets the two administrator flags.
std::wstring DefaultInstallDir(InstallRecord& record);
bool IsDefaultFolder(InstallRecord& record, const std::wstring& folder);
// The typed folder is a parent: "<typed>\Quibzip", unless it is the default folder.
std::wstring ResolveInstallDir(InstallRecord& record, const std::wstring& typed);
// True when folder is the recorded one and its "set.ini" says IsOverride=false.
bool KeepsExistingInstallation(const InstallRecord& record, const std::wstring& folder);
// After success: InstallPath, and UnInstallEp when that file exists.
void WriteRegistryRecord(const std::wstring& newInstallDir, std::wstring newUninstallerPath);
// At the package start and after success: "set.ini" (APPStore = exeName, AppName,
// a new DeviceID, the analytics settings path) and the analytics file's UpdateTime.
void WriteInstallIni(const std::wstring& newInstallDir, const std::wstring& exeName);
// "%APPDATA%\ZorvikData\Quibzip" (common documents when APPDATA is unset); not created.
std::wstring ProductDataFolder();
// "ZVAnalytics.ini" in the product data folder.
std::wstring AnalyticsSettingsFile();
