// PackageRunner: runs the downloaded product package silently in a hidden child
// and turns its status lines into the 2001-2004 and 3000-3009 codes. Owned by the
// orchestrator; the run happens on the runner's own worker thread ("ABDEF").
#pragma once
#include <memory>
#include <string>

#include "install/status_callback.h"
#include "utils/child_process.h"
#include "utils/thread.h"

class PackageRunner {
 public:
  // packageCommand is the package path already in double quotes.
  PackageRunner(StatusCallback callback, std::wstring packageCommand, std::wstring installDir,
                bool desktopShortcut, bool quickLaunch, bool adminAct, bool authorizationAct = true);
  // Waits for a run still busy (its child included).
  ~PackageRunner();
  PackageRunner(const PackageRunner&) = delete;
  PackageRunner& operator=(const PackageRunner&) = delete;

  // Set by the orchestrator before every Start, on the thread that calls Start.
  void SetInstallDir(const std::wstring& dir) { installDir_ = dir; }
  void SetDesktopShortcut(bool on) { desktopShortcut_ = on; }
  void SetQuickLaunch(bool on) { quickLaunch_ = on; }
  void SetAdminAct(bool on) { adminAct_ = on; }
  void SetAuthorizationAct(bool on) { authorizationAct_ = on; }

  // Waits for the previous run to end, builds the command line with the InstCmd
  // setting and starts a new run; returns at once. Reports 2001, 2002, then what
  // the package prints, and ends with 2003 or 2004 (also when no thread starts).
  void Start();

  // The command line Start builds, with the given extra switches (empty: none).
  std::wstring BuildCommandLine(const std::wstring& instCmd) const;
  // The one built by the last Start.
  const std::wstring& CommandLine() const { return commandLine_; }

 private:
  void Run(const std::wstring& commandLine);
  void Report(int code, double value, const std::wstring& text) const;

  StatusCallback callback_;
  std::wstring packageCommand_;
  std::wstring installDir_;
  std::wstring commandLine_;
  bool quickLaunch_;
  bool desktopShortcut_;
  std::unique_ptr<Utils::Thread> worker_;
  std::unique_ptr<Utils::ChildProcess> process_;  // only the worker thread touches it
  bool adminAct_;
  bool authorizationAct_;
};
