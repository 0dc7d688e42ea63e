// The two layers of the settings record: the settings file, then the command line.
#include "app/installer_config.h"

#include "utils/profile.h"
#include "utils/windows_version.h"

namespace {
const wchar_t kSection[] = L"Install";
const wchar_t kBuiltInUrl[] = QZ_DEFAULT_DOWNLOAD_URL;
const wchar_t kBuiltInAnalyticsUrl[] = QZ_DEFAULT_ANALYTICS_URL;

std::wstring FolderOf(const std::wstring& path) {
  size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}
std::wstring FilePart(const std::wstring& path) {
  size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}
}  // namespace

InstallerConfig::InstallerConfig(BuiltInOnly) { SetBuiltIns(); }

InstallerConfig::InstallerConfig() {
  SetBuiltIns();
  LoadFromFile();
}

void InstallerConfig::SetBuiltIns() {
  AppName = L"Quibzip";
  AppVersion = L"1.7.9";
  ExeName = L"NULL";
  DlAppNameSuffix = L".downloader";
  DlAppVersion.clear();
  InstCmd.clear();
  DownloadUrl = kBuiltInUrl;
  DownloadType = 1;
  IsCheckNet = false;
  IsEnableAnalytics = true;
  DownloadScale = 0.7;
  CurlReady = true;
  AbLabel = L"IN";
  AnalyticsUrl = kBuiltInAnalyticsUrl;
}

std::wstring InstallerConfig::ExpandRoute(const std::wstring& address) {
  if (address.find(L"${ROUTE}") == std::wstring::npos) return address;
  return ConfigValues::ExpandRouteFor(address, Utils::GetWindowsVersionName().name);
}

void InstallerConfig::LoadFromFile(const std::wstring& exePath) {
  using namespace ConfigValues;
  ExeName = FilePart(exePath);
  std::wstring file = FolderOf(exePath) + L"\\ZorvikInstallerConfig.ini";
#ifndef _WIN32
  file = FolderOf(exePath) + L"/ZorvikInstallerConfig.ini";
#endif
  if (Utils::FileExists(file)) {
    auto read = [&](const wchar_t* key, const wchar_t* def) {
      return Utils::ReadProfileString(file, kSection, key, def, 260);
    };
    DownloadUrl = ExpandRoute(read(L"DownloadUrl", kBuiltInUrl));
    DownloadType = Utils::ReadProfileInt(file, kSection, L"DownloadType", 1);
    IsCheckNet = IsTrue(read(L"IsCheckNet", L"true"));
    IsEnableAnalytics = IsTrue(read(L"IsEnableAnalytics", L"true"));
    DlAppNameSuffix = read(L"DlAppNameSuffix", L".downloader");
    DlAppVersion = read(L"m_DlAppVersion", L"");
    double scale = 0;
    // No number reads as 0; a number beyond a double keeps the value we had.
    if (LeadingDouble(read(L"DownloadScale", L"0.7"), &scale) != Parse::OutOfRange) DownloadScale = scale;
    InstCmd = read(L"InstCmd", L"");
    AnalyticsUrl = read(L"AnalyticsUrl", kBuiltInAnalyticsUrl);
  }
  AppName = L"Quibzip";
  AppVersion = L"1.7.9";
}

void InstallerConfig::ApplyArguments(const std::vector<std::wstring>& args) {
  using namespace ConfigValues;
  std::map<std::wstring, std::wstring> map = ArgumentMap(args);
  auto has = [&](const wchar_t* key, std::wstring* value) {
    auto it = map.find(key);
    if (it == map.end()) return false;
    *value = it->second;
    return true;
  };
  std::wstring v;
  if (has(L"-downloadurl", &v)) DownloadUrl = ExpandRoute(v);
  if (has(L"-downloadtype", &v)) {
    int32_t type = 0;
    // Not a number gives 0; beyond 32 bits keeps the value we had.
    Parse p = LeadingInt(v, &type);
    if (p != Parse::OutOfRange) DownloadType = p == Parse::Ok ? type : 0;
  }
  if (has(L"-downloadscale", &v)) {
    double scale = 0;
    // Without a usable number the file's value stays.
    if (LeadingDouble(v, &scale) == Parse::Ok) DownloadScale = scale;
  }
  if (has(L"-ischecknet", &v)) IsCheckNet = IsTrue(v);
  if (has(L"-isenableanalytics", &v)) IsEnableAnalytics = IsTrue(v);
  if (has(L"-dlappnamesuffix", &v)) DlAppNameSuffix = v;
  if (has(L"-dlappversion", &v)) DlAppVersion = v;
  if (has(L"-instcmd", &v)) InstCmd = v;
}
