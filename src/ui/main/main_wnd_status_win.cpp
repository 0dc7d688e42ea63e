// The main window following the pipeline: one handler per status code, the
// progress page, the finished page, starting the product and the funnel reports.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "analytics/funnel/installer_funnel.h"
#include "app/installer_config.h"
#include "install/download_installer.h"
#include "ui/main/failure_report.h"
#include "ui/main/install_progress.h"
#include "ui/main/main_wnd.h"
#include "ui/main/main_wnd_controls.h"
#include "ui/main/page_decoration.h"
#include "ui/main/status_action.h"
#include "utils/hard_disk_manager.h"
#include "utils/profile.h"
#include "utils/system_queries.h"

using namespace MainWindow;

namespace {

constexpr UINT kBringForwardTimer = 10;
constexpr UINT kAutoCloseTimer = 11;
// The system never waits longer than this for a timer; larger delays are capped.
constexpr unsigned kLongestTimer = 0x7FFFFFFFu;

// Whether a file can be written where the package goes: an old package is deleted
// first (a file that cannot be deleted counts as no access), then a file is made,
// closed and deleted again.
bool PackagePlaceWritable(const std::wstring& path) {
  if (Utils::FileExists(path) && !::DeleteFileW(path.c_str())) return false;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  ::DeleteFileW(path.c_str());
  return true;
}

std::wstring DriveOf(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2) + L"\\";
  return path;
}

}  // namespace

void CMainWnd::OnInstallStatus(const StatusRecord& r) {
  const double scale = InstallerConfig::Get().DownloadScale;
  switch (ActionForStatus(r.code)) {
    case StatusAction::DownloadStarted: OnDownloadStarted(); break;
    case StatusAction::DownloadProgress: ShowPercent(DownloadPercent(r.value, scale)); break;
    case StatusAction::DownloadDone:
      RecordStep(L"大包下载完毕", L"", downloadStopwatch_.ElapsedSeconds());
      break;
    case StatusAction::DownloadFailed: OnDownloadFailed(r); break;
    case StatusAction::FailureReason: RecordStep(L"下载失败原因", ShortFailureReport(r.value, r.text)); break;
    case StatusAction::PackageStarted: WriteInstallIni(record_.newInstallDir, InstallerConfig::Get().ExeName); break;
    case StatusAction::PackageProgress:
      installFraction_ = NextInstallFraction(installFraction_, r.value);
      ShowPercent(InstallPercent(installFraction_, scale));
      break;
    case StatusAction::Installed: Finish(); break;
    case StatusAction::InstallFailed: OnInstallFailed(r); break;
    case StatusAction::SetInstallFolder: record_.newInstallDir = r.text; break;
    case StatusAction::SetProgramPath: programPath_ = r.text; break;
    case StatusAction::SetUninstallRecord: record_.newUninstallerPath = r.text; break;
    case StatusAction::SetStartAddress: startAddress_ = r.text; break;
    case StatusAction::SetStartupStyle: startupStyle_ = TruncateToInt(r.value); break;
    case StatusAction::SetBringForwardDelay: bringForwardDelay_ = TruncateToUnsigned(r.value); break;
    case StatusAction::SetAutoCloseDelay: autoCloseDelay_ = TruncateToUnsigned(r.value); break;
    case StatusAction::ShowPackageMessage: ShowPromptFile(L"MessageBox1Wnd.xml", r.text.c_str(), L"消息"); break;
    case StatusAction::UninstallFailed: OnUninstallFailed(); break;
    case StatusAction::None: break;
  }
}

void CMainWnd::OnDownloadStarted() {
  if (!downloaderReported_) {
    experimentLabel_ = InstallerConfig::Get().GetAbLabel();
    downloaderReported_ = true;
    RecordStep(L"下载器启动");
  }
  downloadStopwatch_.Start();
  RecordStep(L"开始下载大包");
}

void CMainWnd::OnDownloadFailed(const StatusRecord& r) {
  RecordStep(L"下载失败原因", DownloadFailureReport(r));
  const int answer = ShowPromptFile(L"NetworkTipWnd.xml");
  if (answer == 1 && hasExisting_) Close(1);
  if (answer == 0) {
    switch (RetryTargetForPage(pageBeforeInstalling_)) {
      case RetryTarget::DefaultFolder: StartInstall(DefaultInstallDir(record_), true, true); break;
      case RetryTarget::TypedFolder:
        StartInstall(TypedInstallDir(), ui_->createDSCb && ui_->createDSCb->IsSelected(),
                     ui_->createQSCb && ui_->createQSCb->IsSelected());
        break;
      case RetryTarget::None: break;
    }
  }
  SelectPage(pageBeforeInstalling_);
}

std::wstring CMainWnd::DownloadFailureReport(const StatusRecord& r) {
  const std::wstring package = orchestrator_->PackagePath();
  Utils::HardDiskManager disk;
  disk.CheckFreeSpace(DriveOf(package));
  DownloadFailureFacts facts;
  facts.statusValue = r.value;
  facts.statusText = r.text;
  facts.freeBytes = disk.freeBytesAvailable;
  facts.packagePlaceWritable = !package.empty() && PackagePlaceWritable(package);
  facts.networkVerdict = Utils::CheckNetwork();
  return MainWindow::DownloadFailureReport(facts);
}

void CMainWnd::OnInstallFailed(const StatusRecord& r) {
  RecordStep(L"安装失败原因", ShortFailureReport(r.value, r.text));
  ShowPromptFile(L"MessageBox2Wnd.xml", r.text.empty() ? L"安装失败" : r.text.c_str(), L"温馨提示");
  if (ui_->installPrg && ui_->installPrg->GetValue() >= kResetBarFrom) {
    if (ui_->progressLb) ui_->progressLb->SetText(ResetProgressText());
    ui_->installPrg->SetValue(0);
  }
  SelectPage(kPageWelcome);
}

void CMainWnd::OnUninstallFailed() {
  ShowRunningMessage();
  SelectPage(pageBeforeInstalling_);
  if (hasExisting_) Close(1);
}

void CMainWnd::ShowPercent(int percent) {
  const std::wstring skinFormat = ui_->progressLb ? ui_->progressLb->GetUserData() : std::wstring();
  const std::wstring text = FormatPercent(PercentFormat(skinFormat, downloadStopwatch_.ElapsedSeconds()), percent);
  if (ui_->progressLb) ui_->progressLb->SetText(text);
  if (ui_->installPrg) ui_->installPrg->SetValue(percent);
}

void CMainWnd::Finish() {
  RecordStep(L"安装成功", L"", downloadStopwatch_.ElapsedSeconds());
  if (ui_->installPrg) {
    ui_->installPrg->SetValue(100);
    const std::wstring fill = L"res\\mainWnd\\installPrg3.png";
    if (Utils::FileExists(GetManager().GetResourcePath() + fill)) {
      ui_->installPrg->SetForeImage(fill);
      ui_->installPrg->Invalidate();
    }
  }
  StopSlideTimers();
  if (ui_->softNameLbl) {
    ui_->softNameLbl->SetText(L"QuibZip");
    ui_->softNameLbl->SetVisible(true);
  }
  SelectPage(kPageFinished);
  WriteRegistryRecord(record_.newInstallDir, record_.newUninstallerPath);
  WriteInstallIni(record_.newInstallDir, InstallerConfig::Get().ExeName);
  if (startupStyle_ == kStartupAtOnce) StartProduct();
  Vellum::CControlUI* root = GetManager().GetRoot();
  if (bringForwardDelay_ != 0) GetManager().SetTimer(root, kBringForwardTimer, std::min(bringForwardDelay_, kLongestTimer));
  if (autoCloseDelay_ != 0) GetManager().SetTimer(root, kAutoCloseTimer, std::min(autoCloseDelay_, kLongestTimer));
}

void CMainWnd::StartProduct() {
  if (OpensStartAddress(static_cast<unsigned>(startAddress_.size()))) {
    ::ShellExecuteW(nullptr, L"open", startAddress_.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
  }
  if (!programPath_.empty() && Utils::FileExists(programPath_)) {
    Utils::PumpMessagesBriefly(GetHWND());
    ::ShellExecuteW(nullptr, L"open", programPath_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

// ---- funnel

CMainWnd::AbMap CMainWnd::Ab() const { return AbMap{{L"AB", experimentLabel_}}; }

void CMainWnd::RecordStep(const std::wstring& step, const std::wstring& reason, float elapsed) {
  zorvik::analytics::ReportFunnelStep(Ab(), step, reason, elapsed);
}

void CMainWnd::RecordClick(const std::wstring& text) { zorvik::analytics::ReportFunnelClick(Ab(), text); }
