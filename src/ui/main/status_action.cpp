#include "ui/main/status_action.h"

#include "install/status_codes.h"

namespace MainWindow {

StatusAction ActionForStatus(int code) {
  struct Row {
    int code;
    StatusAction action;
  };
  static constexpr Row kTable[] = {
      {DL_CODE_START, StatusAction::DownloadStarted},
      {DL_CODE_PROGRESS, StatusAction::DownloadProgress},
      {DL_CODE_SUCCESS, StatusAction::DownloadDone},
      {DL_CODE_FAIL, StatusAction::DownloadFailed},
      {DL_CODE_REASON, StatusAction::FailureReason},
      {IST_CODE_START, StatusAction::PackageStarted},
      {IST_CODE_PROGRESS, StatusAction::PackageProgress},
      {INSTALL_SUCCESS, StatusAction::Installed},
      {IST_CODE_FAIL, StatusAction::InstallFailed},
      {IST_INFO_INSTPATH, StatusAction::SetInstallFolder},
      {IST_INFO_EXEPATH, StatusAction::SetProgramPath},
      {IST_INFO_UNINSTEP, StatusAction::SetUninstallRecord},
      {IST_INFO_STARTURL, StatusAction::SetStartAddress},
      {IST_INFO_STARTUPSTYLE, StatusAction::SetStartupStyle},
      {IST_INFO_TOPSHOW, StatusAction::SetBringForwardDelay},
      {IST_INFO_FINISHCLOSE, StatusAction::SetAutoCloseDelay},
      {IST_INFO_MESSAGE, StatusAction::ShowPackageMessage},
      {UNIST_CODE_FAIL, StatusAction::UninstallFailed},
      {UNIST_CODE_ERROR, StatusAction::UninstallFailed},
  };
  for (const Row& row : kTable) {
    if (row.code == code) return row.action;
  }
  return StatusAction::None;
}

RetryTarget RetryTargetForPage(int pageBeforeInstalling) {
  if (pageBeforeInstalling == 0) return RetryTarget::DefaultFolder;
  if (pageBeforeInstalling == 1) return RetryTarget::TypedFolder;
  return RetryTarget::None;
}

bool OpensStartAddress(unsigned addressLength) { return addressLength > kMinStartAddressLength; }

bool EnoughFreeSpace(unsigned long long freeBytesAvailable) {
  return static_cast<double>(freeBytesAvailable) / 1073741824.0 >= 1.0;
}

bool IsPoorNetwork(unsigned long long verdict) { return ((verdict >> 16) & 0xFFFF) != 0; }

}  // namespace MainWindow
