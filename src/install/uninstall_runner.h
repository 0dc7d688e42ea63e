// UninstallRunner: runs a copy of the uninstaller of an installation already
// present, on that installation's folder, and turns its status lines into the
// 5002-5005 codes. Owned by the orchestrator; runs on its worker thread "UnInstaller".
#pragma once
#include <memory>
#include <string>

#include "install/status_callback.h"
#include "utils/child_process.h"
#include "utils/thread.h"

class UninstallRunner {
 public:
  UninstallRunner(StatusCallback callback, std::wstring uninstallerPath, std::wstring workDir);
  // Waits for a run still busy (its child included).
  ~UninstallRunner();
  UninstallRunner(const UninstallRunner&) = delete;
  UninstallRunner& operator=(const UninstallRunner&) = delete;

  // Builds the command line from the rights of the console user and of this
  // process, releases an earlier run and starts a new one; returns at once.
  // Reports 5002 and what the uninstaller prints, and ends with 5003, 5004 or 5005.
  void Start();

  // "<path> /S -adminact=<user> -authorizationact=<process> -console=show _?=<workDir>";
  // neither path is quoted, and _?= stays last so the uninstaller works in place.
  static std::wstring BuildCommandLine(const std::wstring& uninstallerPath, bool userAdmin, bool processAdmin,
                                       const std::wstring& workDir);
  // The one built by the last Start.
  const std::wstring& CommandLine() const { return commandLine_; }

 private:
  void Run(const std::wstring& commandLine);
  void Report(int code, double value, const std::wstring& text) const;

  StatusCallback callback_;
  std::wstring commandLine_;
  std::wstring uninstallerPath_;
  std::wstring workDir_;
  std::unique_ptr<Utils::Thread> worker_;
  std::unique_ptr<Utils::ChildProcess> process_;  // only the worker thread touches it
};
