#include "gui/installer/installer_session.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "gui/support/gui_pump.h"
#include "gui/support/real_input.h"
#include "install/install_records.h"
#include "support/collector_client.h"
#include "support/fake_children.h"
#include "support/package_server_client.h"
#include "support/test_env.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "utils/profile.h"
#include "utils/text.h"

namespace InstallerGui {

namespace {

std::wstring W(const std::string& s) { return Utils::ToWide(s, Utils::kCodePageUtf8); }
std::string N(const std::wstring& s) { return Utils::ToNarrow(s, Utils::kCodePageUtf8); }

using RectMap = std::map<std::wstring, Vellum::Rect>;
std::map<std::wstring, RectMap>& Geometry() {  // key: file + "#" + page
  static std::map<std::wstring, RectMap> geometry;
  return geometry;
}

void Record(Vellum::CControlUI* control, RectMap& out) {
  if (!control) return;
  if (!control->GetName().empty() && control->IsVisible()) out[control->GetName()] = control->GetPos();
  if (Vellum::CContainerUI* c = control->AsContainer()) {
    for (int i = 0; i < c->GetCount(); ++i) Record(c->GetItemAt(i), out);
  }
}

void LayOut(const std::wstring& file, int pages) {
  for (int page = 0; page < pages; ++page) {
    GuiTest::RecordingFrame frame(file);
    if (!frame.Open()) continue;
    if (auto* tab = dynamic_cast<Vellum::CTabLayoutUI*>(frame.GetManager().FindControl(L"mainTabLt"))) {
      tab->SelectItem(page, false);
    }
    if (auto* title = dynamic_cast<Vellum::CTabLayoutUI*>(frame.GetManager().FindControl(L"titleTabLt"))) {
      title->SelectItem(1, false);  // the back button's page
    }
    ::InvalidateRect(frame.GetHWND(), nullptr, FALSE);
    ::UpdateWindow(frame.GetHWND());
    GuiTest::PumpPending();
    Record(frame.GetManager().GetRoot(), Geometry()[file + L"#" + std::to_wstring(page)]);
    ::DestroyWindow(frame.GetHWND());
    GuiTest::PumpPending();
  }
}

bool Bluish(uint32_t rgb) {
  const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r < 0x70 && g > 0x50 && g < 0xB0 && b > 0xE0;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
  auto* out = reinterpret_cast<std::vector<HWND>*>(param);
  out->push_back(hwnd);
  return TRUE;
}

std::string PackageBytes() {
  std::string bytes = FakeChildren::ReadFile(FakeChildren::Path("qz_fake_package"));
  bytes.append(1572864, '\0');  // past the multi-part downloader's floor
  return bytes;
}

}  // namespace

bool Await(const std::function<bool()>& cond, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    GuiTest::PumpPending();
    if (cond()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 40, QS_ALLINPUT);
  }
}

void Idle(DWORD timeMs) { Await([] { return false; }, timeMs); }

void SkinGeometry::Prepare() {
  if (!Geometry().empty()) return;
  LayOut(L"mainWnd.xml", 4);
  for (const wchar_t* f : {L"MessageBox1Wnd.xml", L"MessageBox2Wnd.xml", L"InstalledPathTipWnd.xml",
                           L"ExitTipWnd.xml", L"NetworkTipWnd.xml"}) {
    LayOut(f, 1);
  }
}

Vellum::Rect SkinGeometry::Of(const std::wstring& file, const std::wstring& control, int page) {
  const RectMap& map = Geometry()[file + L"#" + std::to_wstring(page)];
  auto it = map.find(control);
  EXPECT_NE(it, map.end()) << N(file) << " has no laid-out " << N(control) << " on page " << page;
  return it == map.end() ? Vellum::Rect{} : it->second;
}

Session::Session(const std::string& ns) : ns_(ns) {
  folder_ = W(TestEnv::Join(TestEnv::TmpDir(), ns));
  RemoveTree(folder_);
  ::CreateDirectoryW(folder_.c_str(), nullptr);
  exe_ = folder_ + L"\\QuibzipInstaller.exe";
  ::CopyFileW(W(TestEnv::Get("QZ_INSTALLER")).c_str(), exe_.c_str(), FALSE);
}

Session::Session(const std::wstring& exe, const std::string& name) : ns_(name), exe_(exe) {
  folder_ = exe.substr(0, exe.find_last_of(L'\\'));
}

Session::~Session() {
  if (process_.hProcess) {
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(process_.hProcess, 77);
    ::WaitForSingleObject(process_.hProcess, 10000);
    ::CloseHandle(process_.hProcess);
    ::CloseHandle(process_.hThread);
  }
}

void Session::Prepare(const Settings& s, const std::string& packageScript, const std::string& uninstallerScript) {
  server_ = std::make_unique<PackageServerClient::Namespace>(ns_);
  PackageServerClient::Namespace& server = *server_;
  const std::string bytes = PackageBytes();
  const std::string md5 = PackageServerClient::Md5Of(bytes);
  server.WriteFile("software/" + md5 + "/QuibzipSetup.exe", bytes);
  const std::string url =
      server.Url("software/" + (s.brokenUrl ? std::string(32, '0') : md5) + "/QuibzipSetup.exe");
  CollectorClient::SetMode(ns_, "200");

  const std::wstring ini = folder_ + L"\\ZorvikInstallerConfig.ini";
  Utils::WriteProfileString(ini, L"Install", L"DownloadUrl", W(url));
  Utils::WriteProfileString(ini, L"Install", L"DownloadType", std::to_wstring(s.downloadType));
  Utils::WriteProfileString(ini, L"Install", L"IsCheckNet", s.checkNet ? L"true" : L"false");
  Utils::WriteProfileString(ini, L"Install", L"IsEnableAnalytics", s.analytics ? L"true" : L"false");
  Utils::WriteProfileString(ini, L"Install", L"DownloadScale", std::to_wstring(s.scale));
  Utils::WriteProfileString(ini, L"Install", L"AnalyticsUrl", W(CollectorClient::BatchUrl(ns_)));

  FakeChildren::UseScript("QZ_FAKE_PACKAGE_SCRIPT", ns_ + "-package.txt", packageScript);
  FakeChildren::UseScript("QZ_FAKE_UNINSTALLER_SCRIPT", ns_ + "-uninstaller.txt", uninstallerScript);
}

bool Session::Launch(const std::wstring& arguments) {
  std::wstring line = L"\"" + exe_ + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  return ::CreateProcessW(exe_.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si,
                          &process_) != FALSE;
}

bool Session::LaunchSecond(DWORD* exitCode, DWORD timeoutMs) {
  std::wstring line = L"\"" + exe_ + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessW(exe_.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si, &pi)) {
    return false;
  }
  const bool ended = ::WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
  if (ended) ::GetExitCodeProcess(pi.hProcess, exitCode);
  if (!ended) ::TerminateProcess(pi.hProcess, 78);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return ended;
}

bool Session::WaitExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_.hProcess) return false;
  if (::WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  ::GetExitCodeProcess(process_.hProcess, exitCode);
  return true;
}

bool Session::Running() const {
  return process_.hProcess && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Session::FindWindowOf(const wchar_t* className) const {
  std::vector<HWND> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND w : windows) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(w, cls, 64);
    // Class names compare ignoring case (the system keeps the first spelling it saw).
    if (pid == process_.dwProcessId && ::IsWindowVisible(w) && _wcsicmp(cls, className) == 0) return w;
  }
  return nullptr;
}

HWND Session::WaitWindow(const wchar_t* className, DWORD timeoutMs) const {
  HWND found = nullptr;
  Await([&] { return (found = FindWindowOf(className)) != nullptr || !Running(); }, timeoutMs);
  if (!found) {
    // Say what the installer does show, to tell a missing window from a wrong guess.
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::string seen;
    for (HWND w : windows) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(w, &pid);
      wchar_t cls[64] = {};
      ::GetClassNameW(w, cls, 64);
      if (pid == process_.dwProcessId) seen += N(cls) + (::IsWindowVisible(w) ? "(visible) " : "(hidden) ");
    }
    ADD_FAILURE() << "no visible " << N(className) << "; the installer has: " << seen
                  << (Running() ? "" : " and has ended");
    return nullptr;
  }
  Idle(300);  // a window just shown takes its first input only after its first paint
  return found;
}

void Session::ClickAt(HWND window, int x, int y) const {
  POINT p = {x, y};
  ::ClientToScreen(window, &p);
  ::SetForegroundWindow(window);
  INPUT in[3] = {};
  for (INPUT& i : in) i.type = INPUT_MOUSE;
  in[0].mi.dx = static_cast<LONG>((p.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / ::GetSystemMetrics(SM_CXSCREEN));
  in[0].mi.dy = static_cast<LONG>((p.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / ::GetSystemMetrics(SM_CYSCREEN));
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &in[0], sizeof(INPUT));
  Idle(60);  // the hover reaches the window before the press
  ::SendInput(2, &in[1], sizeof(INPUT));
}

void Session::Click(HWND window, const std::wstring& file, const std::wstring& control, int page) const {
  const Vellum::Rect r = SkinGeometry::Of(file, control, page);
  ClickAt(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void Session::TypeText(const std::wstring& text) const {
  for (wchar_t c : text) GuiTest::TypeCharacter(c);
}

GuiTest::Screenshot Session::Shot(HWND window) const {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return GuiTest::CaptureWindow(window);
}

std::wstring Session::Save(HWND window, const std::string& name) const {
  const std::wstring dir = GuiTest::ScreenshotDir();
  if (dir.empty()) return dir;
  const std::wstring path = dir + L"\\" + W(name) + L".png";
  GuiTest::SavePng(Shot(window), path);
  return path;
}

int Session::Page(HWND mainWnd) const {
  const GuiTest::Screenshot shot = GuiTest::CaptureWindow(mainWnd);
  if (shot.width < 600 || shot.height < 400) return -1;
  struct Probe {
    int page;
    const wchar_t* control;
  };
  const Probe probes[] = {{0, L"defaultInstallBtn"}, {1, L"customeInstallBtn"}, {3, L"openProduceBtn"}};
  for (const Probe& p : probes) {
    const Vellum::Rect r = SkinGeometry::Of(L"mainWnd.xml", p.control, p.page);
    // Upper-left inside the button, away from its centred text; the two
    // centred buttons of pages 0 and 3 overlap, so look at both corners.
    const Vellum::Rect other =
        SkinGeometry::Of(L"mainWnd.xml", p.page == 3 ? L"defaultInstallBtn" : L"openProduceBtn", p.page == 3 ? 0 : 3);
    const int x = r.left + 6;
    const int y = r.top + 3 < other.top || r.top + 3 >= other.bottom ? r.top + 3 : r.bottom - 4;
    if (Bluish(shot.At(x, y)) && Bluish(shot.At(x + 4, y))) return p.page;
  }
  // Installing: no close box (the centre of its cross is background, not a dark stroke).
  const Vellum::Rect close = SkinGeometry::Of(L"mainWnd.xml", L"closebtn", 0);
  const uint32_t centre = shot.At((close.left + close.right) / 2, (close.top + close.bottom) / 2);
  const uint32_t darkest = std::min({(centre >> 16) & 0xFF, (centre >> 8) & 0xFF, centre & 0xFF});
  if (darkest > 0xC0) return 2;
  return -1;
}

int Session::ProgressFill(HWND mainWnd) const {
  const GuiTest::Screenshot shot = GuiTest::CaptureWindow(mainWnd);
  const Vellum::Rect bar = SkinGeometry::Of(L"mainWnd.xml", L"installPrg", 2);
  if (shot.width < bar.right) return -1;
  const int y = (bar.top + bar.bottom) / 2;
  // The empty bar's colour is learnt at the first look (the bar starts empty).
  if (emptyBar_ == kUnknownColour) emptyBar_ = shot.At(bar.right - 2, y);
  const uint32_t empty = emptyBar_;
  int filled = 0;
  for (int x = bar.left + 1; x < bar.right - 1; ++x) {
    if (shot.At(x, y) != empty) ++filled;
  }
  return filled;
}

uint64_t Session::ProgressTextHash(HWND mainWnd) const {
  const GuiTest::Screenshot shot = GuiTest::CaptureWindow(mainWnd);
  const Vellum::Rect r = SkinGeometry::Of(L"mainWnd.xml", L"progressLb", 2);
  uint64_t h = 1469598103934665603ull;
  if (shot.width < r.right || shot.height < r.bottom) return 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) h = (h ^ shot.At(x, y)) * 1099511628211ull;
  }
  return h;
}

std::vector<std::string> CollectorRecords(const std::string& ns) {
  std::vector<std::string> out;
  StrictJson::Value state;
  if (!CollectorClient::State(ns, &state)) return out;
  const StrictJson::Value* batches = state.Get("batches");
  if (!batches) return out;
  for (const StrictJson::Value& batch : batches->items) {
    const StrictJson::Value* records = batch.Get("records");
    if (!records) continue;
    for (const StrictJson::Value& record : records->items) {
      const StrictJson::Value* props = record.Get("properties");
      if (!props) continue;
      std::string line;
      for (const char* key : {"zv_task_name", "zv_name", "zvc_ab", "zv_reason"}) {
        const StrictJson::Value* v = props->Get(key);
        line += std::string(key) + "=" + (v ? v->text : std::string("-")) + ";";
      }
      out.push_back(line);
    }
  }
  return out;
}

void ForgetInstallation() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZorvikSoft\\Quibzip");
  RemoveTree(DefaultFolder());
}

std::wstring ReadProductValue(const std::wstring& name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer);
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\ZorvikSoft\\Quibzip", name.c_str(), RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
    return L"";
  }
  return buffer;
}

void WriteProductValue(const std::wstring& name, const std::wstring& value) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ZorvikSoft\\Quibzip", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
}

std::wstring DefaultFolder() {
  InstallRecord record;
  return DefaultInstallDir(record);
}

bool FileExistsW(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileW(const std::wstring& path) { return FakeChildren::ReadFile(N(path)); }

void RemoveTree(const std::wstring& path) {
  if (path.size() < 4) return;
  std::wstring from = path + L'\0';  // double terminated
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&op);
}

}  // namespace InstallerGui
