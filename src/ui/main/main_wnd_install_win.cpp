// The main window starting an installation: the checks before it, the optional
// network check on a worker, and the hand-over to the orchestrator.
#include <objbase.h>

#include "analytics/funnel/installer_funnel.h"
#include "app/installer_config.h"
#include "install/download_installer.h"
#include "ui/main/main_wnd.h"
#include "ui/main/main_wnd_controls.h"
#include "ui/main/page_decoration.h"
#include "ui/main/status_action.h"
#include "utils/hard_disk_manager.h"
#include "utils/system_queries.h"
#include "utils/thread.h"

using namespace MainWindow;

namespace {

// "C:" for "C:\Program Files\Quibzip"; the whole text when it names no drive.
std::wstring DriveOf(const std::wstring& folder) {
  if (folder.size() >= 2 && folder[1] == L':') return folder.substr(0, 2) + L"\\";
  return folder;
}

}  // namespace

bool CMainWnd::RefuseWhileRunning() {
  if (Utils::FindProcessByName(L"Quibzip_un_asa.exe") != 0) {
    ShowRunningMessage();
    if (hasExisting_) Close(1);
    return true;
  }
  if (Utils::FindProcessByName(L"Quibzip.exe") != 0) {
    ShowRunningMessage();
    Close(1);
    return true;
  }
  return false;
}

bool CMainWnd::StartInstall(const std::wstring& folder, bool desktopShortcut, bool quickLaunch) {
  if (RefuseWhileRunning()) return false;
  if (ui_->customeInstallBtn) ui_->customeInstallBtn->SetEnabled(false);

  if (!Utils::CreateDirectoryTree(folder)) {
    ShowPromptFile(L"MessageBox2Wnd.xml", L"无效路径", L"温馨提示");
    RaiseInstall(0, false);
    return false;
  }
  Utils::HardDiskManager disk;
  disk.CheckFreeSpace(DriveOf(folder));
  if (!EnoughFreeSpace(disk.freeBytesAvailable)) {
    ShowPromptFile(L"MessageBox2Wnd.xml", L"当前磁盘剩余空间低于1GB，请修改安装路径", L"温馨提示");
    RaiseInstall(0, false);
    return false;
  }

  record_.newInstallDir = folder;
  const std::wstring uninstaller = KeepsExistingInstallation(record_, folder) ? L"" : record_.uninstallerPath;
  const InstallerConfig& config = InstallerConfig::Get();
  orchestrator_->SetParams(config.DownloadUrl, uninstaller, folder, desktopShortcut, quickLaunch,
                           record_.consoleUserIsAdmin, record_.processIsAdmin);
  if (config.IsCheckNet) {
    StartNetworkCheck();
  } else {
    RaiseInstall(1, true);
  }
  return true;
}

void CMainWnd::RaiseInstall(uint32_t wParam, bool async) {
  Vellum::NotifyEvent msg;
  msg.type = L"install";
  msg.sender = GetManager().GetRoot();
  msg.wParam = wParam;
  GetManager().SendNotify(msg, async);
}

void CMainWnd::StartNetworkCheck() {
  if (networkChecker_) networkChecker_->Join();
  networkChecker_.reset();
  Vellum::CUIManager* manager = &GetManager();
  networkChecker_ = std::make_unique<Utils::Thread>(nullptr, L"CheckNet", [manager](void*) -> uint32_t {
    const HRESULT com = ::CoInitialize(nullptr);
    Vellum::NotifyEvent msg;
    msg.type = L"checknet";
    msg.sender = manager->GetRoot();
    msg.wParam = Utils::CheckNetwork();
    manager->SendNotify(msg, true, true);
    if (SUCCEEDED(com)) ::CoUninitialize();
    return 0;
  });
  networkChecker_->Start();
}

void CMainWnd::OnCheckNet(Vellum::NotifyEvent& msg) {
  const bool poor = IsPoorNetwork(msg.wParam);
  if (poor) ShowPromptFile(L"MessageBox2Wnd.xml", L"当前网络环境较差，请在网络通畅时进行安装", L"温馨提示");
  RaiseInstall(poor ? 0 : 1, false);
}

void CMainWnd::OnInstall(Vellum::NotifyEvent& msg) {
  if (msg.wParam != 0) {
    if (ui_->ableftBtn) StartSlideTimer();
    pageBeforeInstalling_ = CurrentPage();
    SelectPage(kPageInstalling);
    zorvik::analytics::ReportFunnelView(Ab());
    orchestrator_->Start();
  }
  if (ui_->customeInstallBtn) ui_->customeInstallBtn->SetEnabled(true);
}
