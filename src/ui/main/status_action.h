// What the main window does with each status code of the pipeline, as data: the
// window looks the code up once and runs the handler of the action.
// Pure functions; any thread.
#pragma once

namespace MainWindow {

enum class StatusAction {
  None,                  // 1005, 3002, 5001-5003 and unknown codes
  DownloadStarted,       // 1001
  DownloadProgress,      // 1002
  DownloadDone,          // 1003
  DownloadFailed,        // 1004
  FailureReason,         // 1006
  PackageStarted,        // 2001
  PackageProgress,       // 2002
  Installed,             // 2003
  InstallFailed,         // 2004
  SetInstallFolder,      // 3000
  SetProgramPath,        // 3001
  SetUninstallRecord,    // 3003
  SetStartAddress,       // 3004
  SetStartupStyle,       // 3005
  SetBringForwardDelay,  // 3007
  SetAutoCloseDelay,     // 3008
  ShowPackageMessage,    // 3009
  UninstallFailed,       // 5004, 5005
};

StatusAction ActionForStatus(int code);

// Where a retry from the network prompt installs: the page that was shown when
// installing began decides.
enum class RetryTarget { None, DefaultFolder, TypedFolder };
RetryTarget RetryTargetForPage(int pageBeforeInstalling);

// The startup styles the package reports (3005).
enum StartupStyle : int { kStartupNone = 0, kStartupAtOnce = 1, kStartupOnRequest = 2 };

// The start address is opened only when it is longer than this many characters.
constexpr unsigned kMinStartAddressLength = 5;
bool OpensStartAddress(unsigned addressLength);

// 1 GB is enough; one byte less is not.
bool EnoughFreeSpace(unsigned long long freeBytesAvailable);

// The network verdict sits in the upper 16 bits of the "checknet" wParam.
bool IsPoorNetwork(unsigned long long verdict);

}  // namespace MainWindow
