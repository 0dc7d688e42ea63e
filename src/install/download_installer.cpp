#include "install/download_installer.h"

#include "app/installer_config.h"
#include "install/status_codes.h"
#include "utils/debug_log.h"
#include "utils/path.h"
#include "utils/profile.h"
#include "utils/system_queries.h"

CDownloadInstaller::CDownloadInstaller(StatusCallback callback, std::wstring url, std::wstring uninstallerPath,
                                       std::wstring installDir, bool desktopShortcut, bool quickLaunch,
                                       bool adminAct)
    : url_(std::move(url)),
      uninstallerPath_(std::move(uninstallerPath)),
      installDir_(std::move(installDir)),
      desktopShortcut_(desktopShortcut),
      quickLaunch_(quickLaunch),
      adminAct_(adminAct),
      callback_(std::move(callback)) {}

CDownloadInstaller::~CDownloadInstaller() {
  downloader_.reset();
  packageRunner_.reset();
  uninstallRunner_.reset();
}

void CDownloadInstaller::SetParams(std::wstring url, std::wstring uninstallerPath, std::wstring installDir,
                                   bool desktopShortcut, bool quickLaunch, bool adminAct, bool authorizationAct) {
  url_ = std::move(url);
  uninstallerPath_ = std::move(uninstallerPath);
  installDir_ = std::move(installDir);
  desktopShortcut_ = desktopShortcut;
  quickLaunch_ = quickLaunch;
  adminAct_ = adminAct;
  authorizationAct_ = authorizationAct;
}

void CDownloadInstaller::Start() {
  if (busy_.exchange(true)) {
    DEBUG_PRINT(L"busy, Start refused\r\n");
    return;
  }
  packagePath_ = Utils::JoinPath(installDir_, L"__Package_Quibzip.exe");
  const int type = InstallerConfig::Get().DownloadType;
  DEBUG_PRINT(L"DL_TYPE=%d\r\n", type);
  if (!downloader_)
    downloader_ = MakeDownloader(
        type, [this](int c, double v, const std::wstring& t) { OnDownload(c, v, t); }, url_, packagePath_);
  if (!packageRunner_)
    packageRunner_ = std::make_unique<PackageRunner>(
        [this](int c, double v, const std::wstring& t) { OnInstall(c, v, t); }, L"\"" + packagePath_ + L"\"",
        installDir_, desktopShortcut_, quickLaunch_, adminAct_, authorizationAct_);
  packageRunner_->SetInstallDir(installDir_);
  packageRunner_->SetDesktopShortcut(desktopShortcut_);
  packageRunner_->SetQuickLaunch(quickLaunch_);
  packageRunner_->SetAdminAct(adminAct_);
  packageRunner_->SetAuthorizationAct(authorizationAct_);
  if (!StartUninstaller()) downloader_->Start();
}

// Runs the previous installation's uninstaller from a copy in the temp folder, so
// it can remove its own folder; the download waits for its success.
bool CDownloadInstaller::StartUninstaller() {
  if (uninstallerPath_.empty() || !Utils::FileExists(uninstallerPath_)) return false;
  std::wstring copy = Utils::JoinPath(Utils::GetInstallerTempDir(), L"Quibzip_un_asa.exe");
  Utils::CopyFileReplacing(uninstallerPath_, copy);  // a failed copy is reported by the runner (5004)
  uninstallRunner_ = std::make_unique<UninstallRunner>(
      [this](int c, double v, const std::wstring& t) { OnUninstall(c, v, t); }, copy,
      Utils::ParentPath(uninstallerPath_));
  uninstallRunner_->Start();
  return true;
}

void CDownloadInstaller::Forward(int code, double value, const std::wstring& text) {
  if (callback_) callback_(code, value, text);
}

// Called by each handler after its own action, so a new Start never meets the
// cleanup of the run before it.
void CDownloadInstaller::EndRunOn(int code) {
  switch (code) {
    case INSTALL_SUCCESS: case IST_CODE_FAIL: case DL_CODE_FAIL: case UNIST_CODE_FAIL: case UNIST_CODE_ERROR:
      busy_ = false;
      break;
    default:
      break;
  }
}

void CDownloadInstaller::OnDownload(int code, double value, const std::wstring& text) {
  Forward(code, value, text);
  switch (code) {
    case DL_CODE_START:
      Utils::CreateDirectoryTree(installDir_);
      DEBUG_PRINT(L"DL_CODE_START\r\n");
      break;
    case DL_CODE_PROGRESS:
      DEBUG_PRINT(L"DL_CODE_PROGRESS\r\n");
      break;
    case DL_CODE_SUCCESS:
      DEBUG_PRINT(L"DOWNLOAD_SUCCESS\r\n");
      packageRunner_->Start();
      DEBUG_PRINT(L"DL_CODE_SUCCESS\r\n");
      break;
    case DL_CODE_FAIL:
      Utils::DeleteFileIfPresent(packagePath_);
      DEBUG_PRINT(L"DL_CODE_FAIL\r\n");
      break;
    case DL_CODE_RETRY:
      DEBUG_PRINT(L"DL_CODE_RETRY\r\n");
      downloader_->Start();
      break;
    default:
      break;
  }
  EndRunOn(code);
}

void CDownloadInstaller::OnUninstall(int code, double value, const std::wstring& text) {
  Forward(code, value, text);
  switch (code) {
    case UNIST_CODE_START:
      DEBUG_PRINT(L"UNIST_CODE_START\r\n");
      break;
    case UNIST_CODE_PROGRESS:
      DEBUG_PRINT(L"UNIST_CODE_PROGRESS\r\n");
      break;
    case UNIST_CODE_SUCCESS:
      DEBUG_PRINT(L"UNIST_CODE_SUCCESS\r\n");
      if (packageRunner_) downloader_->Start();
      break;
    case UNIST_CODE_FAIL:
      DEBUG_PRINT(L"UNIST_CODE_FAIL\r\n");
      break;
    case UNIST_CODE_ERROR:
      DEBUG_PRINT(L"UNIST_CODE_ERROR\r\n");
      break;
    default:
      break;
  }
  EndRunOn(code);
}

void CDownloadInstaller::OnInstall(int code, double value, const std::wstring& text) {
  Forward(code, value, text);
  if (code == INSTALL_SUCCESS || code == IST_CODE_FAIL) Utils::DeleteFileIfPresent(packagePath_);
  if (code == IST_CODE_START) DEBUG_PRINT(L"IST_CODE_START\r\n");
  if (code == INSTALL_SUCCESS) DEBUG_PRINT(L"INSTALL_SUCCESS\r\n");
  if (code == IST_CODE_FAIL) DEBUG_PRINT(L"IST_CODE_FAIL\r\n");
  EndRunOn(code);
}
