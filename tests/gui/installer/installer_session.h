// Driving the real QuibzipInstaller.exe from a GUI test: a folder of its own with
// the settings file beside the copied executable, the demo package on the package
// server in this session's namespace, the collector namespace for its funnel, and
// real mouse input at the places the skin lays the controls out.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/support/screenshot.h"
#include "support/package_server_client.h"
#include "ui/toolkit/geometry.h"

namespace InstallerGui {

// Control rectangles (client coordinates) of one markup file, laid out by the
// toolkit itself in this process; mainWnd.xml is laid out once per page.
class SkinGeometry {
 public:
  // Opens each file once, records every named control and closes it again. Call
  // before any installer window is on the screen (the reference windows are shown).
  static void Prepare();
  static Vellum::Rect Of(const std::wstring& file, const std::wstring& control, int page = 0);
};

struct Settings {
  bool checkNet = false;
  bool analytics = true;
  double scale = 0.5;
  int downloadType = 1;
  bool brokenUrl = false;  // point at a package the server does not have
};

class Session {
 public:
  // ns: unique among running tests; it names the folders and both server namespaces.
  explicit Session(const std::string& ns);
  // An installer already set up in its folder (the demo's click-through).
  Session(const std::wstring& exe, const std::string& name);
  ~Session();

  // The package prints script (fake package format); the uninstaller prints uninstallerScript.
  void Prepare(const Settings& settings, const std::string& packageScript,
               const std::string& uninstallerScript = "line Progress=50\nline State=Success\n");
  bool Launch(const std::wstring& arguments = L"");
  // Another process of the same program (for the second-instance check).
  bool LaunchSecond(DWORD* exitCode, DWORD timeoutMs);
  bool WaitExit(DWORD timeoutMs, DWORD* exitCode);
  bool Running() const;

  // A visible top-level window of the installer with this class ("MainWnd",
  // "NetworkTipWnd", ...), or nullptr once timeoutMs passed.
  HWND WaitWindow(const wchar_t* className, DWORD timeoutMs = 20000) const;
  HWND FindWindowOf(const wchar_t* className) const;
  // Moves the mouse there and clicks (real input through the system).
  void Click(HWND window, const std::wstring& file, const std::wstring& control, int page = 0) const;
  void ClickAt(HWND window, int x, int y) const;
  void TypeText(const std::wstring& text) const;

  GuiTest::Screenshot Shot(HWND window) const;
  // Saves <artifacts>/screenshots/<name>.png; returns the path (empty when unset).
  std::wstring Save(HWND window, const std::string& name) const;

  // Which page of "mainTabLt" the main window shows, judged by the pixels of its
  // blue buttons, close box and progress bar; -1 when none fits.
  int Page(HWND mainWnd) const;
  // Filled width of "installPrg" in pixels (call it first while the bar is empty).
  int ProgressFill(HWND mainWnd) const;
  // A hash of what "progressLb" shows.
  uint64_t ProgressTextHash(HWND mainWnd) const;

  const std::wstring& Folder() const { return folder_; }
  std::string Ns() const { return ns_; }
  std::string CollectorNs() const { return ns_; }
  // This session's namespace on the package server (its log and scripted faults).
  PackageServerClient::Namespace& Server() { return *server_; }

 private:
  std::string ns_;
  std::wstring folder_;  // holds the exe and its settings file
  std::wstring exe_;
  std::unique_ptr<PackageServerClient::Namespace> server_;
  PROCESS_INFORMATION process_ = {};
  static constexpr uint32_t kUnknownColour = 0xFFFFFFFFu;
  mutable uint32_t emptyBar_ = kUnknownColour;
};

// Polls cond every 40 ms (pumping this thread's messages) until it holds; false
// after timeoutMs. The installer is another process, so nothing wakes us for it.
bool Await(const std::function<bool()>& cond, DWORD timeoutMs);
// Lets timeMs pass while pumping (for "nothing happens" checks).
void Idle(DWORD timeMs);

// The funnel records the collector received in a namespace (JSON texts of the records).
std::vector<std::string> CollectorRecords(const std::string& ns);

// HKCU\Software\ZorvikSoft\Quibzip and the default install folder, wiped.
void ForgetInstallation();
std::wstring ReadProductValue(const std::wstring& name);
void WriteProductValue(const std::wstring& name, const std::wstring& value);
std::wstring DefaultFolder();
bool FileExistsW(const std::wstring& path);
std::string ReadFileW(const std::wstring& path);
void RemoveTree(const std::wstring& path);

}  // namespace InstallerGui
