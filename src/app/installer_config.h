// InstallerConfig: everything that varies between deliveries of the installer.
// Filled in two layers: the settings file "ZorvikInstallerConfig.ini" beside the
// executable (read while static objects are initialised) and the command line
// (applied by start-up after analytics has started). Written only on the main
// thread before the main window exists; read without locks afterwards.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The package address built into this delivery (a CMake cache variable).
#ifndef QZ_DEFAULT_DOWNLOAD_URL
#define QZ_DEFAULT_DOWNLOAD_URL L"http://dl.quibzip.com/software/257"
#endif
// The analytics collection endpoint built into this delivery (a CMake cache variable).
#ifndef QZ_DEFAULT_ANALYTICS_URL
#define QZ_DEFAULT_ANALYTICS_URL L"http://sa.quibzip.com/sa?project=pc"
#endif

class InstallerConfig {
 public:
  struct BuiltInOnly {};

  // Built-in values, then LoadFromFile() for the running executable.
  InstallerConfig();
  // Built-in values only (tests).
  explicit InstallerConfig(BuiltInOnly);

  // The process-wide record, constructed during static initialisation.
  static InstallerConfig& Get();

  void LoadFromFile();
  // The same for an executable at exePath: its settings file sits beside it.
  void LoadFromFile(const std::wstring& exePath);
  void ApplyCommandLine();
  // The command line already split into arguments, the program path first.
  void ApplyArguments(const std::vector<std::wstring>& args);

  // Replaces every "${ROUTE}" by the route of the running Windows version.
  static std::wstring ExpandRoute(const std::wstring& address);
  std::wstring GetAbLabel() const { return AbLabel; }

  std::wstring AppName;
  std::wstring AppVersion;
  std::wstring ExeName;
  std::wstring DlAppNameSuffix;
  std::wstring DlAppVersion;
  std::wstring InstCmd;
  std::wstring DownloadUrl;
  int32_t DownloadType;
  bool IsCheckNet;
  bool IsEnableAnalytics;
  double DownloadScale;
  bool CurlReady;
  std::wstring AbLabel;
  // Where analytics is sent: "AnalyticsUrl" of the settings file, else the built-in endpoint.
  std::wstring AnalyticsUrl;

 private:
  void SetBuiltIns();
};

namespace ConfigValues {

enum class Parse { Ok, NoNumber, OutOfRange };

// Leading blanks, an optional sign, digits; the rest is ignored.
Parse LeadingInt(const std::wstring& text, int32_t* value);
// Leading blanks, then the longest prefix that forms a decimal floating-point
// number (sign, digits, point, exponent); the rest is ignored.
Parse LeadingDouble(const std::wstring& text, double* value);
// Exactly "true", case-sensitive.
bool IsTrue(const std::wstring& text);
// "-key=value" splits at the first "="; any other argument is a key with an empty
// value. Keys compare exactly; the first occurrence wins.
std::map<std::wstring, std::wstring> ArgumentMap(const std::vector<std::wstring>& args);
// "download_silent_xp" when the version name contains "XP", else "download_silent",
// put in place of every "${ROUTE}".
std::wstring ExpandRouteFor(const std::wstring& address, const std::wstring& versionName);

}  // namespace ConfigValues
