// The demo's scripted click-through when there is no display of the user's: it
// starts the installer twice (a fresh installation, then an update of it), clicks
// through every page the way a user would and saves a screenshot of each.
//   click_through <QuibzipInstaller.exe> <screenshot folder>
// Exit code: 0 when both runs reached the finished page and ended with 0.
#include <cstdio>
#include <string>

#include "gui/installer/installer_session.h"
#include "utils/text.h"

using namespace InstallerGui;

namespace {

bool WaitPage(Session& s, HWND main, int page) {
  return Await([&] { return s.Page(main) == page; }, 120000);
}

void Shot(Session& s, HWND window, const std::wstring& dir, const std::string& name) {
  GuiTest::SavePng(s.Shot(window), dir + L"\\" + Utils::ToWide(name, Utils::kCodePageUtf8) + L".png");
  std::printf("  screenshot %s.png\n", name.c_str());
}

int Finish(Session& s, HWND main, const std::wstring& dir, const std::string& prefix, const wchar_t* button) {
  if (!WaitPage(s, main, 2)) return 2;
  Await([&] { return s.ProgressFill(main) > 0; }, 30000);
  Shot(s, main, dir, prefix + "-installing");
  if (!WaitPage(s, main, 3)) return 3;
  Shot(s, main, dir, prefix + "-finished");
  s.Click(main, L"mainWnd.xml", button, button == std::wstring(L"closebtn") ? 0 : 3);
  DWORD code = 1;
  if (!s.WaitExit(60000, &code)) return 4;
  std::printf("  the installer ended with exit code %lu\n", code);
  return code == 0 ? 0 : 5;
}

int FreshInstall(const std::wstring& exe, const std::wstring& dir) {
  std::printf("click-through 1: fresh installation\n");
  Session s(exe, "fresh");
  if (!s.Launch()) return 1;
  HWND main = s.WaitWindow(L"MainWnd");
  if (!main || !WaitPage(s, main, 0)) return 1;
  Shot(s, main, dir, "1-welcome");
  s.Click(main, L"mainWnd.xml", L"customeBtn", 0);
  if (!WaitPage(s, main, 1)) return 1;
  Shot(s, main, dir, "1-custom");
  s.Click(main, L"mainWnd.xml", L"backBtn", 1);
  if (!WaitPage(s, main, 0)) return 1;
  s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
  return Finish(s, main, dir, "1", L"openProduceBtn");
}

int Update(const std::wstring& exe, const std::wstring& dir) {
  std::printf("click-through 2: update of the existing installation\n");
  Session s(exe, "update");
  if (!s.Launch()) return 1;
  HWND tip = s.WaitWindow(L"InstalledPathTipWnd");
  if (!tip) return 1;
  Shot(s, tip, dir, "2-existing-installation");
  s.Click(tip, L"InstalledPathTipWnd.xml", L"okBtn");
  HWND main = s.WaitWindow(L"MainWnd");
  if (!main) return 1;
  return Finish(s, main, dir, "2", L"closebtn");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: click_through <QuibzipInstaller.exe> <screenshot folder>\n");
    return 64;
  }
  SkinGeometry::Prepare();
  int status = FreshInstall(argv[1], argv[2]);
  if (status == 0) status = Update(argv[1], argv[2]);
  if (status != 0) std::printf("click-through stopped (step %d)\n", status);
  return status;
}
