// The settings record: the file layer (through the platform's profile API) and
// the command-line layer, in both tiers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "app/installer_config.h"
#include "support/test_env.h"
#include "utils/text.h"

namespace {

// A fresh folder with an executable path and, when text is given, its settings file.
std::wstring ExeWithSettings(const std::string& name, const char* ini) {
  std::string dir = TestEnv::Join(TestEnv::TmpDir(), name);
#ifdef _WIN32
  std::string mk = "mkdir \"" + dir + "\" 2>NUL";
#else
  std::string mk = "mkdir -p '" + dir + "'";
#endif
  (void)std::system(mk.c_str());
  std::string iniPath = TestEnv::Join(dir, "ZorvikInstallerConfig.ini");
  std::remove(iniPath.c_str());
  if (ini) {
    FILE* f = std::fopen(iniPath.c_str(), "wb");
    std::fputs(ini, f);
    std::fclose(f);
  }
  return Utils::ToWide(TestEnv::Join(dir, "QuibzipInstaller.exe"), Utils::kCodePageAnsi);
}

InstallerConfig Loaded(const std::string& name, const char* ini) {
  InstallerConfig c{InstallerConfig::BuiltInOnly{}};
  c.LoadFromFile(ExeWithSettings(name, ini));
  return c;
}

TEST(InstallerConfigFile, NoFileKeepsBuiltInsButNamesTheExe) {
  InstallerConfig c = Loaded("nofile", nullptr);
  EXPECT_EQ(c.ExeName, L"QuibzipInstaller.exe");
  EXPECT_FALSE(c.IsCheckNet);
  EXPECT_TRUE(c.IsEnableAnalytics);
  EXPECT_EQ(c.DownloadType, 1);
  EXPECT_DOUBLE_EQ(c.DownloadScale, 0.7);
  EXPECT_EQ(c.DlAppNameSuffix, L".downloader");
  EXPECT_EQ(c.AppName, L"Quibzip");
  EXPECT_EQ(c.AppVersion, L"1.7.9");
  EXPECT_EQ(c.AbLabel, L"IN");
  EXPECT_TRUE(c.CurlReady);
  EXPECT_NE(c.DownloadUrl.find(L"/software/257"), std::wstring::npos);
}

TEST(InstallerConfigFile, AnalyticsUrlPointsAnalyticsElsewhere) {
  const std::wstring builtIn = InstallerConfig{InstallerConfig::BuiltInOnly{}}.AnalyticsUrl;
  EXPECT_NE(builtIn.find(L"/sa?project=pc"), std::wstring::npos) << "the collection endpoint";
  const struct {
    const char* name;
    const char* ini;
    std::wstring expected;
  } cases[] = {
      {"analytics_nofile", nullptr, builtIn},
      {"analytics_nokey", "[Install]\r\nDownloadType=2\r\n", builtIn},
      {"analytics_key", "[Install]\r\nAnalyticsUrl=http://127.0.0.1:5/ns/x/sa?project=pc\r\n",
       L"http://127.0.0.1:5/ns/x/sa?project=pc"},
      {"analytics_empty", "[Install]\r\nAnalyticsUrl=\r\n", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(Loaded(c.name, c.ini).AnalyticsUrl, c.expected) << c.name;
}

TEST(InstallerConfigFile, SectionWithoutKeysTurnsTheNetworkCheckOn) {
  InstallerConfig c = Loaded("empty", "[Install]\r\n");
  EXPECT_TRUE(c.IsCheckNet);
  EXPECT_TRUE(c.IsEnableAnalytics);
  EXPECT_EQ(c.DownloadType, 1);
  EXPECT_DOUBLE_EQ(c.DownloadScale, 0.7);
}

TEST(InstallerConfigFile, ValuesAsWritten) {
  InstallerConfig c = Loaded("values",
                             "[Install]\r\nDownloadUrl=http://127.0.0.1:1/p/${ROUTE}/setup\r\nDownloadType=3\r\n"
                             "IsCheckNet=True\r\nIsEnableAnalytics=true\r\nDlAppNameSuffix=.dl\r\n"
                             "m_DlAppVersion=2.0.1\r\nDownloadScale=  0.5abc\r\nInstCmd=-x=1 -y\r\n"
                             "AppName=Other\r\nAppVersion=9\r\n");
  EXPECT_EQ(c.DownloadUrl, L"http://127.0.0.1:1/p/download_silent/setup");
  EXPECT_EQ(c.DownloadType, 3);
  EXPECT_FALSE(c.IsCheckNet) << "only the exact text true turns it on";
  EXPECT_TRUE(c.IsEnableAnalytics);
  EXPECT_EQ(c.DlAppNameSuffix, L".dl");
  EXPECT_EQ(c.DlAppVersion, L"2.0.1");
  EXPECT_DOUBLE_EQ(c.DownloadScale, 0.5);
  EXPECT_EQ(c.InstCmd, L"-x=1 -y");
  EXPECT_EQ(c.AppName, L"Quibzip");
  EXPECT_EQ(c.AppVersion, L"1.7.9");
}

TEST(InstallerConfigFile, EmptyValuesAreEmptyNotDefaults) {
  InstallerConfig c = Loaded("emptyvalues", "[Install]\r\nDownloadUrl=\r\nIsCheckNet=\r\nDownloadScale=x\r\n");
  EXPECT_EQ(c.DownloadUrl, L"");
  EXPECT_FALSE(c.IsCheckNet);
  EXPECT_DOUBLE_EQ(c.DownloadScale, 0.0) << "a text without a number reads as 0";
}

TEST(InstallerConfigFile, LongValueIsCutTo259Characters) {
  std::string url = "http://h/" + std::string(291, 'a');
  ASSERT_EQ(url.size(), 300u);
  std::string ini = "[Install]\r\nDownloadUrl=" + url + "\r\n";
  InstallerConfig c = Loaded("long", ini.c_str());
  EXPECT_EQ(c.DownloadUrl, Utils::ToWide(url.substr(0, 259), Utils::kCodePageAnsi));
}

TEST(InstallerConfigFile, ScaleBeyondADoubleKeepsThePreviousValue) {
  InstallerConfig c = Loaded("huge", "[Install]\r\nDownloadScale=1e999\r\n");
  EXPECT_DOUBLE_EQ(c.DownloadScale, 0.7);
}

struct ArgCase {
  const char* what;
  std::vector<std::wstring> args;
  void (*check)(const InstallerConfig&);
};

TEST(InstallerConfigCommandLine, Rules) {
  const ArgCase cases[] = {
      {"first occurrence wins", {L"x.exe", L"-downloadtype=2", L"-downloadtype=3"},
       [](const InstallerConfig& c) { EXPECT_EQ(c.DownloadType, 2); }},
      {"keys are case-sensitive", {L"x.exe", L"-DownloadUrl=x"},
       [](const InstallerConfig& c) { EXPECT_NE(c.DownloadUrl, L"x"); }},
      {"switch without = empties", {L"x.exe", L"-downloadurl", L"-ischecknet"},
       [](const InstallerConfig& c) {
         EXPECT_EQ(c.DownloadUrl, L"");
         EXPECT_FALSE(c.IsCheckNet);
       }},
      {"TRUE is not true", {L"x.exe", L"-ischecknet=TRUE", L"-isenableanalytics=false"},
       [](const InstallerConfig& c) {
         EXPECT_FALSE(c.IsCheckNet);
         EXPECT_FALSE(c.IsEnableAnalytics);
       }},
      {"values keep further =", {L"x.exe", L"-instcmd=-a=b -c", L"-dlappversion=1.2", L"-dlappnamesuffix=.s"},
       [](const InstallerConfig& c) {
         EXPECT_EQ(c.InstCmd, L"-a=b -c");
         EXPECT_EQ(c.DlAppVersion, L"1.2");
         EXPECT_EQ(c.DlAppNameSuffix, L".s");
       }},
      {"scale with trailing text", {L"x.exe", L"-downloadscale=0.5abc"},
       [](const InstallerConfig& c) { EXPECT_DOUBLE_EQ(c.DownloadScale, 0.5); }},
      {"scale without a number keeps the value", {L"x.exe", L"-downloadscale=abc"},
       [](const InstallerConfig& c) { EXPECT_DOUBLE_EQ(c.DownloadScale, 0.25); }},
      {"type without a number is 0", {L"x.exe", L"-downloadtype=fast"},
       [](const InstallerConfig& c) { EXPECT_EQ(c.DownloadType, 0); }},
      {"type beyond 32 bits keeps the value", {L"x.exe", L"-downloadtype=4294967296"},
       [](const InstallerConfig& c) { EXPECT_EQ(c.DownloadType, 7); }},
      {"type with blanks and sign", {L"x.exe", L"-downloadtype=  -12x"},
       [](const InstallerConfig& c) { EXPECT_EQ(c.DownloadType, -12); }},
      {"route expansion", {L"x.exe", L"-downloadurl=http://h/${ROUTE}/a/${ROUTE}"},
       [](const InstallerConfig& c) { EXPECT_EQ(c.DownloadUrl, L"http://h/download_silent/a/download_silent"); }},
      {"a 300-character address is taken whole", {L"x.exe", L"-downloadurl=" + std::wstring(300, L'u')},
       [](const InstallerConfig& c) { EXPECT_EQ(c.DownloadUrl.size(), 300u); }},
  };
  for (const ArgCase& t : cases) {
    SCOPED_TRACE(t.what);
    InstallerConfig c{InstallerConfig::BuiltInOnly{}};
    c.DownloadScale = 0.25;
    c.DownloadType = 7;
    c.ApplyArguments(t.args);
    t.check(c);
  }
}

TEST(ConfigValues, RouteByVersionName) {
  using ConfigValues::ExpandRouteFor;
  EXPECT_EQ(ExpandRouteFor(L"http://h/${ROUTE}/setup", L"XP"), L"http://h/download_silent_xp/setup");
  EXPECT_EQ(ExpandRouteFor(L"http://h/${ROUTE}/setup", L"XP-"), L"http://h/download_silent_xp/setup");
  EXPECT_EQ(ExpandRouteFor(L"http://h/${ROUTE}/setup", L"7"), L"http://h/download_silent/setup");
  EXPECT_EQ(ExpandRouteFor(L"http://h/${ROUTE}/setup", L"xp"), L"http://h/download_silent/setup");
  EXPECT_EQ(ExpandRouteFor(L"http://h/plain", L"XP"), L"http://h/plain");
}

TEST(ConfigValues, NumberPrefixes) {
  using ConfigValues::Parse;
  struct Case { const wchar_t* text; Parse parse; double value; };
  const Case doubles[] = {
      {L"0.5", Parse::Ok, 0.5},        {L" \t1e2x", Parse::Ok, 100.0}, {L"-.25", Parse::Ok, -0.25},
      {L"3.", Parse::Ok, 3.0},         {L"2e", Parse::Ok, 2.0},         {L"", Parse::NoNumber, 0},
      {L".", Parse::NoNumber, 0},      {L"nan", Parse::NoNumber, 0},    {L"inf", Parse::NoNumber, 0},
      {L"1e400", Parse::OutOfRange, 0}, {L"0x10", Parse::Ok, 0.0},
  };
  for (const Case& c : doubles) {
    double v = -1;
    EXPECT_EQ(ConfigValues::LeadingDouble(c.text, &v), c.parse) << c.text;
    if (c.parse == Parse::Ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
  int32_t i = 0;
  EXPECT_EQ(ConfigValues::LeadingInt(L"2147483647", &i), Parse::Ok);
  EXPECT_EQ(i, INT32_MAX);
  EXPECT_EQ(ConfigValues::LeadingInt(L"-2147483648", &i), Parse::Ok);
  EXPECT_EQ(i, INT32_MIN);
  EXPECT_EQ(ConfigValues::LeadingInt(L"2147483648", &i), Parse::OutOfRange);
  EXPECT_EQ(ConfigValues::LeadingInt(L"99999999999999999999999", &i), Parse::OutOfRange);
  EXPECT_EQ(ConfigValues::LeadingInt(L"- 3", &i), Parse::NoNumber);
}

}  // namespace
