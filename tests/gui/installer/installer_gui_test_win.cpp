// The real installer under wine in Xvfb: its pages, prompts and records, driven
// by real clicks against the package server, the collector and the fake package.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "gui/installer/installer_session.h"
#include "gui/support/gui_pump.h"
#include "support/fake_children.h"
#include "support/package_server_client.h"
#include "support/test_env.h"
#include "utils/profile.h"
#include "utils/text.h"

using namespace InstallerGui;

namespace {

std::string N(const std::wstring& s) { return Utils::ToNarrow(s, Utils::kCodePageUtf8); }
std::wstring W(const std::string& s) { return Utils::ToWide(s, Utils::kCodePageUtf8); }

// What a real package prints, slowly enough that the page can be watched.
std::string PackageScript(const std::string& extraLines = "", const std::string& style = "NonStartup") {
  return "line Encode=UTF8\n"
         "line Progress=0\nsleep 300\nline Progress=0\nsleep 300\nline Progress=0\nsleep 300\n"
         "line InstPath=${INSTDIR}\n"
         "line StartExe=${INSTDIR}${SEP}Quibzip.exe\n"
         "line UninstExePath=${INSTDIR}${SEP}uninst.ep\n"
         "line StartupStyle=" + style + "\n" + extraLines +
         "line Progress=0\nsleep 300\nline Progress=100\nline State=Success\n";
}

// A path inside a "line" command of a fake script, where a backslash starts an escape.
std::string ScriptText(const std::wstring& path) {
  std::string out;
  for (char c : N(path)) {
    out += c;
    if (c == '\\') out += '\\';
  }
  return out;
}

bool Contains(const std::vector<std::string>& records, const std::string& needle) {
  return std::any_of(records.begin(), records.end(), [&](const std::string& r) { return r.find(needle) != std::string::npos; });
}

class InstallerGuiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SkinGeometry::Prepare(); }
  void SetUp() override { ForgetInstallation(); }
  void TearDown() override { ForgetInstallation(); }

  HWND OpenMain(Session& s, const std::wstring& args = L"") {
    EXPECT_TRUE(s.Launch(args));
    HWND main = s.WaitWindow(L"MainWnd");
    EXPECT_NE(main, nullptr);
    return main;
  }
  bool WaitPage(Session& s, HWND main, int page, DWORD ms = 30000) {
    if (Await([&] { return s.Page(main) == page; }, ms)) return true;
    s.Save(main, "failed-" + s.Ns() + "-page" + std::to_string(page));  // what was shown instead
    return false;
  }
  int Exit(Session& s, DWORD ms = 30000) {
    DWORD code = 12345;
    EXPECT_TRUE(s.WaitExit(ms, &code)) << "the installer did not end";
    return static_cast<int>(code);
  }
};

TEST_F(InstallerGuiTest, OneClickInstallFromWelcomeToFinished) {
  Session s("oneclick");
  s.Prepare(Settings{}, PackageScript());
  HWND main = OpenMain(s);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitPage(s, main, 0));
  s.Save(main, "01-welcome");

  // Another process may announce the downloader; only the first announcement counts,
  // and the download start does not count it again.
  ::PostMessageW(main, WM_USER + 200, 0, 0);
  ::PostMessageW(main, WM_USER + 200, 0, 0);
  s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
  ASSERT_TRUE(WaitPage(s, main, 2)) << "the installing page did not appear";
  ::PostMessageW(main, WM_CLOSE, 1, 0);  // refused while installing
  std::set<uint64_t> texts;
  std::vector<int> fills;
  bool saved = false;
  Await([&] {
    const int page = s.Page(main);
    if (page == 2) {
      texts.insert(s.ProgressTextHash(main));
      const int fill = s.ProgressFill(main);
      if (fills.empty() || fills.back() != fill) fills.push_back(fill);
      if (!saved && fill > 0) saved = !s.Save(main, "03-installing").empty() || true;
    }
    return page == 3;
  }, 60000);
  ASSERT_EQ(s.Page(main), 3) << "the finished page did not appear";
  s.Save(main, "04-finished");
  EXPECT_GE(texts.size(), 3u) << "the percent text hardly changed";
  ASSERT_GE(fills.size(), 3u) << "the bar hardly moved";
  EXPECT_TRUE(std::is_sorted(fills.begin(), fills.end())) << "the bar went back: " << ::testing::PrintToString(fills);

  const std::wstring folder = DefaultFolder();
  EXPECT_EQ(ReadProductValue(L"InstallPath"), folder);
  EXPECT_EQ(ReadProductValue(L"UnInstallEp"), folder + L"\\uninst.ep");
  EXPECT_EQ(Utils::ReadProfileString(folder + L"\\set.ini", L"Install", L"AppName", L"", 64), L"Quibzip");
  EXPECT_EQ(Utils::ReadProfileString(folder + L"\\set.ini", L"Install", L"APPStore", L"", 64), L"QuibzipInstaller.exe");
  EXPECT_TRUE(FileExistsW(folder + L"\\Quibzip.exe"));
  EXPECT_FALSE(FileExistsW(folder + L"\\__Package_Quibzip.exe")) << "the package file stayed";

  s.Click(main, L"mainWnd.xml", L"openProduceBtn", 3);
  EXPECT_EQ(Exit(s), 0);
  const std::vector<std::string> funnel = CollectorRecords(s.CollectorNs());
  for (const char* step : {"zv_task_name=下载器启动;", "zv_task_name=开始下载大包;", "zv_task_name=大包下载完毕;",
                           "zv_task_name=安装成功;", "zv_name=安装中;", "zv_name=立即安装;", "zv_name=立即体验;"}) {
    EXPECT_TRUE(Contains(funnel, std::string(step) + "zv_name=") || Contains(funnel, step)) << step;
  }
  ASSERT_FALSE(funnel.empty());
  for (const std::string& r : funnel) EXPECT_NE(r.find("zvc_ab=IN;"), std::string::npos) << r;
  EXPECT_EQ(std::count_if(funnel.begin(), funnel.end(),
                          [](const std::string& r) { return r.find("zv_task_name=下载器启动;") != std::string::npos; }),
            1);
}

TEST_F(InstallerGuiTest, CustomInstallIntoATypedFolderWithBothBoxesCleared) {
  Session s("custom");
  const std::wstring record = W(TestEnv::Join(TestEnv::TmpDir(), "custom-cmdline.txt"));
  ::DeleteFileW(record.c_str());
  s.Prepare(Settings{}, "record " + N(record) + "\n" + PackageScript());
  const std::wstring parent = s.Folder() + L"\\Tools";
  HWND main = OpenMain(s);
  ASSERT_TRUE(main && WaitPage(s, main, 0));

  s.Click(main, L"mainWnd.xml", L"customeBtn", 0);
  ASSERT_TRUE(WaitPage(s, main, 1));
  s.Click(main, L"mainWnd.xml", L"installDirEdit", 1);
  Idle(300);
  INPUT keys[4] = {};
  for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_HOME;
  keys[1].ki.wVk = VK_HOME;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, keys, sizeof(INPUT));
  keys[0].ki.wVk = VK_SHIFT;
  keys[1].ki.wVk = VK_END;
  keys[1].ki.dwFlags = 0;
  keys[2].ki.wVk = VK_END;
  keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
  keys[3].ki.wVk = VK_SHIFT;
  keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(4, keys, sizeof(INPUT));
  s.TypeText(parent);
  s.Click(main, L"mainWnd.xml", L"createDSCb", 1);
  s.Click(main, L"mainWnd.xml", L"createQSCb", 1);
  Idle(300);
  s.Save(main, "02-custom");
  s.Click(main, L"mainWnd.xml", L"customeInstallBtn", 1);
  ASSERT_TRUE(WaitPage(s, main, 3, 60000));

  const std::string line = ReadFileW(record);
  const std::string expected = N(parent + L"\\Quibzip");
  EXPECT_NE(line.find("-dsc=false"), std::string::npos) << line;
  EXPECT_NE(line.find("-ssc=false"), std::string::npos) << line;
  EXPECT_NE(line.find("/D=" + expected), std::string::npos) << line;
  EXPECT_EQ(ReadProductValue(L"InstallPath"), parent + L"\\Quibzip");

  s.Click(main, L"mainWnd.xml", L"closebtn", 0);  // on the finished page: no question
  EXPECT_EQ(Exit(s), 0);
}

// An installation already present: a folder with the product and its uninstaller.
std::wstring PlantInstallation(const std::string& name, const std::string& product = "qz_fake_product") {
  const std::wstring folder = W(TestEnv::Join(TestEnv::TmpDir(), name + "-old"));
  RemoveTree(folder);
  ::CreateDirectoryW(folder.c_str(), nullptr);
  ::CopyFileW(W(FakeChildren::Path(product)).c_str(), (folder + L"\\Quibzip.exe").c_str(), FALSE);
  ::CopyFileW(W(FakeChildren::Path("qz_fake_uninstaller")).c_str(), (folder + L"\\uninst.ep").c_str(), FALSE);
  WriteProductValue(L"InstallPath", folder);
  return folder;
}

TEST_F(InstallerGuiTest, ExistingInstallationIsUpdatedAfterItsUninstallerRan) {
  Session s("update");
  const std::wstring old = PlantInstallation("update");
  const std::wstring uninstalled = W(TestEnv::Join(TestEnv::TmpDir(), "update-uninstaller.txt"));
  ::DeleteFileW(uninstalled.c_str());
  s.Prepare(Settings{}, PackageScript(), "record " + N(uninstalled) + "\nline Progress=50\nline State=Success\n");
  ASSERT_TRUE(s.Launch());
  HWND tip = s.WaitWindow(L"InstalledPathTipWnd");
  ASSERT_TRUE(tip) << "no question about the existing installation";
  s.Save(tip, "05-existing-installation");
  s.Click(tip, L"InstalledPathTipWnd.xml", L"okBtn");
  HWND main = s.WaitWindow(L"MainWnd");
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitPage(s, main, 3, 60000));
  EXPECT_TRUE(FileExistsW(uninstalled)) << "the old uninstaller did not run";
  EXPECT_EQ(ReadProductValue(L"InstallPath"), old);
  EXPECT_TRUE(FileExistsW(old + L"\\Quibzip.exe"));
  s.Click(main, L"mainWnd.xml", L"closebtn", 0);
  EXPECT_EQ(Exit(s), 0);
}

TEST_F(InstallerGuiTest, ExistingInstallationOpenStartsTheProductAndCloseBoxLeaves) {
  {
    Session s("open");
    // The planted product is a program that records its start.
    const std::wstring started = W(TestEnv::Join(TestEnv::TmpDir(), "open-product.txt"));
    ::DeleteFileW(started.c_str());
    const std::wstring old = PlantInstallation("open", "qz_fake_uninstaller");
    s.Prepare(Settings{}, PackageScript(), "record " + N(started) + "\n");
    ASSERT_TRUE(s.Launch());
    HWND tip = s.WaitWindow(L"InstalledPathTipWnd");
    ASSERT_TRUE(tip);
    s.Click(tip, L"InstalledPathTipWnd.xml", L"cancelBtn");
    EXPECT_EQ(Exit(s), 0);
    EXPECT_TRUE(Await([&] { return FileExistsW(started); }, 10000)) << "the product was not started";
    EXPECT_NE(ReadFileW(started).find("Quibzip.exe"), std::string::npos);
  }
  ForgetInstallation();
  {
    Session s("openclose");
    PlantInstallation("openclose");
    s.Prepare(Settings{}, PackageScript());
    ASSERT_TRUE(s.Launch());
    HWND tip = s.WaitWindow(L"InstalledPathTipWnd");
    ASSERT_TRUE(tip);
    s.Click(tip, L"InstalledPathTipWnd.xml", L"closebtn");
    EXPECT_EQ(Exit(s), 0);
    EXPECT_TRUE(s.Server().Log().empty()) << "something was downloaded";
  }
}

// A long-lived process named Quibzip.exe stands for the running product.
class RunningProduct {
 public:
  explicit RunningProduct(const std::wstring& folder) {
    exe_ = folder + L"\\running\\Quibzip.exe";
    ::CreateDirectoryW((folder + L"\\running").c_str(), nullptr);
    ::CopyFileW(W(FakeChildren::Path("qz_fake_package")).c_str(), exe_.c_str(), FALSE);
    const std::string script = TestEnv::Join(TestEnv::TmpDir(), "running.txt");
    FakeChildren::WriteFile(script, "sleep 60000\n");
    std::wstring line = L"\"" + exe_ + L"\" -fakescript=" + W(script);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    ::CreateProcessW(exe_.c_str(), &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi_);
  }
  ~RunningProduct() {
    if (pi_.hProcess) {
      ::TerminateProcess(pi_.hProcess, 0);
      ::WaitForSingleObject(pi_.hProcess, 5000);
      ::CloseHandle(pi_.hProcess);
      ::CloseHandle(pi_.hThread);
    }
  }
  bool Started() const { return pi_.hProcess != nullptr; }

 private:
  std::wstring exe_;
  PROCESS_INFORMATION pi_ = {};
};

TEST_F(InstallerGuiTest, RunningProductIsRefusedAtStartAndAtInstallTime) {
  {
    Session s("running-start");
    PlantInstallation("running-start");
    s.Prepare(Settings{}, PackageScript());
    RunningProduct product(s.Folder());
    ASSERT_TRUE(product.Started());
    ASSERT_TRUE(s.Launch());
    HWND box = s.WaitWindow(L"MessageBox1Wnd");
    ASSERT_TRUE(box) << "no running-product message";
    s.Save(box, "07-product-running");
    EXPECT_EQ(s.FindWindowOf(L"InstalledPathTipWnd"), nullptr);
    s.Click(box, L"MessageBox1Wnd.xml", L"closebtn");
    EXPECT_EQ(Exit(s), 0);
    EXPECT_TRUE(s.Server().Log().empty()) << "something was downloaded";
  }
  ForgetInstallation();
  {
    Session s("running-install");
    s.Prepare(Settings{}, PackageScript());
    HWND main = OpenMain(s);
    ASSERT_TRUE(main && WaitPage(s, main, 0));
    RunningProduct product(s.Folder());
    ASSERT_TRUE(product.Started());
    s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
    HWND box = s.WaitWindow(L"MessageBox1Wnd");
    ASSERT_TRUE(box);
    s.Click(box, L"MessageBox1Wnd.xml", L"closebtn");
    EXPECT_EQ(Exit(s), 0) << "the installer stays after the running-product message";
    EXPECT_TRUE(ReadProductValue(L"InstallPath").empty());
  }
}

TEST_F(InstallerGuiTest, DownloadFailureOffersRetryAndReturnsToThePageBefore) {
  Session s("dlfail");
  Settings settings;
  settings.brokenUrl = true;
  s.Prepare(settings, PackageScript());
  HWND main = OpenMain(s);
  ASSERT_TRUE(main && WaitPage(s, main, 0));
  s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
  HWND tip = s.WaitWindow(L"NetworkTipWnd", 60000);
  ASSERT_TRUE(tip) << "no download failure prompt";
  s.Save(tip, "06-download-failed");
  const size_t firstRound = s.Server().Log().size();
  EXPECT_GT(firstRound, 0u);
  s.Click(tip, L"NetworkTipWnd.xml", L"okBtn");  // "重新安装"
  Await([&] { return !::IsWindow(tip); }, 5000);
  HWND again = s.WaitWindow(L"NetworkTipWnd", 60000);
  ASSERT_TRUE(again) << "the retry did not fail again";
  s.Click(again, L"NetworkTipWnd.xml", L"cancelBtn");  // "稍后再试"
  EXPECT_TRUE(WaitPage(s, main, 0)) << "not back on the welcome page";
  EXPECT_TRUE(s.Running()) << "a fresh installation stays open after 稍后再试";
  EXPECT_GT(s.Server().Log().size(), firstRound) << "the retry asked the server nothing";

  // Closing before the finished page asks first; "是" ends the installer.
  s.Click(main, L"mainWnd.xml", L"closebtn", 0);
  HWND ask = s.WaitWindow(L"ExitTipWnd");
  ASSERT_TRUE(ask) << "closing on the welcome page did not ask";
  s.Save(ask, "08-exit-question");
  s.Click(ask, L"ExitTipWnd.xml", L"okBtn");
  EXPECT_EQ(Exit(s), 0);
  const std::vector<std::string> funnel = CollectorRecords(s.CollectorNs());
  EXPECT_TRUE(Contains(funnel, "zv_task_name=下载失败原因;zv_name=-;zvc_ab=IN;zv_reason=1.code="));
}

TEST_F(InstallerGuiTest, InstallFailureShowsThePackageTextAndResetsFromSeventyPercent) {
  // The package runner's first progress (fraction 0.15) takes these scales to 69% and 70%.
  struct Case {
    const char* ns;
    double scale;
    bool reset;
  };
  for (const Case& c : {Case{"fail69", 0.636, false}, Case{"fail70", 0.648, true}}) {
    SCOPED_TRACE(c.ns);
    ForgetInstallation();
    Session s(c.ns);
    Settings settings;
    settings.scale = c.scale;
    s.Prepare(settings, "line Encode=UTF8\nsleep 1500\nline Error=磁盘写入失败\nline State=Fail\n");
    HWND main = OpenMain(s);
    ASSERT_TRUE(main && WaitPage(s, main, 0));
    s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
    ASSERT_TRUE(WaitPage(s, main, 2));
    int fillBefore = 0;
    Await([&] { fillBefore = std::max(fillBefore, s.ProgressFill(main)); return s.FindWindowOf(L"MessageBox2Wnd") != nullptr; }, 60000);
    HWND box = s.WaitWindow(L"MessageBox2Wnd");
    ASSERT_TRUE(box) << "no install failure message";
    s.Save(box, std::string("09-install-failed-") + c.ns);
    s.Click(box, L"MessageBox2Wnd.xml", L"closebtn");
    ASSERT_TRUE(WaitPage(s, main, 0));
    EXPECT_GT(fillBefore, 0);
    // The bar lives on the installing page: start again against a server that now
    // refuses everything, and read the bar below the failure prompt before any
    // progress of the new run can reach it.
    ASSERT_TRUE(s.Server().Script(R"([{"count": -1, "status": 500}])"));
    s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
    HWND tip = s.WaitWindow(L"NetworkTipWnd", 60000);
    ASSERT_TRUE(tip);
    const int fillAfter = s.ProgressFill(main);
    s.Save(main, std::string("10-bar-after-failure-") + c.ns);
    if (c.reset) {
      EXPECT_EQ(fillAfter, 0) << "the bar was not reset from 70%";
    } else {
      EXPECT_GE(fillAfter, fillBefore - 2) << "the bar did not keep 69%";
    }
    s.Click(tip, L"NetworkTipWnd.xml", L"cancelBtn");
    ASSERT_TRUE(WaitPage(s, main, 0));
    s.Click(main, L"mainWnd.xml", L"closebtn", 0);
    HWND ask = s.WaitWindow(L"ExitTipWnd");
    ASSERT_TRUE(ask);
    s.Click(ask, L"ExitTipWnd.xml", L"okBtn");
    EXPECT_EQ(Exit(s), 0);
    EXPECT_TRUE(Contains(CollectorRecords(s.CollectorNs()), "zv_task_name=安装失败原因;zv_name=-;zvc_ab=IN;zv_reason=:1.code="));
  }
}

TEST_F(InstallerGuiTest, NetworkCheckOnAndOffBothReachTheInstallingPage) {
  for (bool check : {true, false}) {
    SCOPED_TRACE(check);
    ForgetInstallation();
    Session s(check ? "checknet-on" : "checknet-off");
    Settings settings;
    settings.checkNet = check;
    s.Prepare(settings, PackageScript());
    HWND main = OpenMain(s);
    ASSERT_TRUE(main && WaitPage(s, main, 0));
    s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
    ASSERT_TRUE(WaitPage(s, main, 3, 60000));
    EXPECT_EQ(s.FindWindowOf(L"MessageBox2Wnd"), nullptr);
    s.Click(main, L"mainWnd.xml", L"closebtn", 0);
    EXPECT_EQ(Exit(s), 0);
  }
}

TEST_F(InstallerGuiTest, SecondInstanceExitsWithMinusOneAndShowsNothing) {
  Session s("second");
  s.Prepare(Settings{}, PackageScript());
  HWND main = OpenMain(s);
  ASSERT_TRUE(main && WaitPage(s, main, 0));
  DWORD code = 0;
  ASSERT_TRUE(s.LaunchSecond(&code, 30000));
  EXPECT_EQ(code, 0xFFFFFFFFu);
  EXPECT_EQ(s.Page(main), 0) << "the first installer was disturbed";
  s.Click(main, L"mainWnd.xml", L"closebtn", 0);
  HWND ask = s.WaitWindow(L"ExitTipWnd");
  ASSERT_TRUE(ask);
  s.Click(ask, L"ExitTipWnd.xml", L"cancelBtn");  // "否" keeps it open
  Await([&] { return !::IsWindow(ask); }, 5000);
  EXPECT_TRUE(s.Running());
  s.Click(main, L"mainWnd.xml", L"closebtn", 0);
  ask = s.WaitWindow(L"ExitTipWnd");
  ASSERT_TRUE(ask);
  s.Click(ask, L"ExitTipWnd.xml", L"okBtn");
  EXPECT_EQ(Exit(s), 0);
}

TEST_F(InstallerGuiTest, StartupStylesStartTheProductWhenTheyShould) {
  struct Case {
    const char* ns;
    const char* style;
    bool program;         // StartExe names the probe
    bool address;         // StartUrl names the probe
    bool startedAtFinish;
    bool startedOnButton;
  };
  const Case cases[] = {
      {"style0", "NonStartup", true, false, false, false},
      {"style1", "AutoStartup", true, false, true, true},
      {"style2", "UserStartup", true, false, false, true},
      {"style2-address", "UserStartup", false, true, false, true},
      {"style2-nothing", "UserStartup", false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ns);
    ForgetInstallation();
    Session s(c.ns);
    const std::wstring probe = s.Folder() + L"\\probe.exe";
    ::CopyFileW(W(FakeChildren::Path("qz_fake_uninstaller")).c_str(), probe.c_str(), FALSE);
    const std::wstring started = s.Folder() + L"\\started.txt";
    std::string lines = "line StartupStyle=" + std::string(c.style) + "\n";
    lines += "line StartExe=" + ScriptText(c.program ? probe : s.Folder() + L"\\missing.exe") + "\n";
    if (c.address) lines += "line StartUrl=" + ScriptText(probe) + "\n";
    s.Prepare(Settings{}, PackageScript(lines, c.style), "record " + N(started) + "\n");
    HWND main = OpenMain(s);
    ASSERT_TRUE(main && WaitPage(s, main, 0));
    s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
    ASSERT_TRUE(WaitPage(s, main, 3, 60000));
    if (c.startedAtFinish) {
      EXPECT_TRUE(Await([&] { return FileExistsW(started); }, 10000));
    } else {
      Idle(1500);
      EXPECT_FALSE(FileExistsW(started));
    }
    s.Click(main, L"mainWnd.xml", L"openProduceBtn", 3);
    EXPECT_EQ(Exit(s), 0);
    if (c.startedOnButton) {
      EXPECT_TRUE(Await([&] { return FileExistsW(started); }, 10000));
    } else {
      Idle(1500);
      EXPECT_FALSE(FileExistsW(started));
    }
  }
}

}  // namespace
