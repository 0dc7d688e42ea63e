// CMainWnd: the installer's only main window. It offers the one-click and the
// custom install, hands folder and options to the orchestrator, turns the
// pipeline's status codes into the installing page, ends on the finished page,
// deals with an installation that is already there, and reports the funnel.
//
// Owner: the entry function (a local object). Thread: the main thread, except
// the status callback (any thread: it only posts a record) and the network check
// (its own worker, handing its verdict over as an asynchronous "checknet").
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "install/install_records.h"
#include "ui/toolkit/skin_frame.h"
#include "utils/stopwatch.h"

class CDownloadInstaller;
namespace Utils {
class Thread;
}
namespace Vellum {
class CTabLayoutUI;
class COptionUI;
class CProgressUI;
class CLabelUI;
}  // namespace Vellum

// Posted by the status callback; lParam owns a heap StatusRecord.
constexpr UINT WM_INSTALL_STATUS = WM_USER + 1000;
// Accepted from any process: the first one records "下载器启动".
constexpr UINT WM_DOWNLOADER_READY = WM_USER + 200;

// One status call, copied so it outlives the producer's text.
struct StatusRecord {
  int code = 0;
  double value = 0.0;
  std::wstring text;
};

class CMainWnd : public Vellum::CSkinFrame {
 public:
  CMainWnd();
  // Destroys the orchestrator (waiting for its threads), then waits for the
  // network checker without a time limit.
  ~CMainWnd() override;

  LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void Notify(Vellum::NotifyEvent& msg) override;
  std::unique_ptr<Vellum::CControlUI> CreateControl(const std::wstring& className) override;

 protected:
  void InitWindow() override;
  void OnClick(Vellum::NotifyEvent& msg) override;
  LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  // Called for WM_TIMER before the toolkit handles it; does nothing.
  virtual void OnTimerMessage(WPARAM timerId);
  // Handles one status record on the window thread; the caller frees it.
  virtual void OnInstallStatus(const StatusRecord& record);

 private:
  struct Controls;
  using AbMap = std::map<std::wstring, std::wstring>;  // the funnel glue's A/B map

  // Window ready
  void FindControls();
  void FitProductNameLabels();
  void DecideExistingInstallation();
  // Buttons, selection, pages, timers
  void OnSelectChanged(Vellum::NotifyEvent& msg);
  void OnTabSelect();
  void OnTimerNotify(Vellum::NotifyEvent& msg);
  void OnCloseButton();
  void ChooseFolder();
  void StepSlide(int step);
  void StartSlideTimer();
  void StopSlideTimers();
  void SelectPage(int page);
  int CurrentPage() const;
  // Installing
  bool StartInstall(const std::wstring& folder, bool desktopShortcut, bool quickLaunch);
  bool RefuseWhileRunning();
  void RaiseInstall(uint32_t wParam, bool async);
  void StartNetworkCheck();
  void OnCheckNet(Vellum::NotifyEvent& msg);
  void OnInstall(Vellum::NotifyEvent& msg);
  std::wstring TypedInstallDir();
  // Status handling
  void OnDownloadStarted();
  void OnDownloadFailed(const StatusRecord& record);
  void OnInstallFailed(const StatusRecord& record);
  void OnUninstallFailed();
  void ShowPercent(int percent);
  void Finish();
  void StartProduct();
  std::wstring DownloadFailureReport(const StatusRecord& record);
  // Funnel, always with the experiment label
  AbMap Ab() const;
  void RecordStep(const std::wstring& step, const std::wstring& reason = std::wstring(), float elapsed = 0.0f);
  void RecordClick(const std::wstring& text);
  int ShowPromptFile(const std::wstring& file, const wchar_t* text = nullptr, const wchar_t* caption = nullptr);
  void ShowRunningMessage();
  void DrainStatusRecords();

  std::unique_ptr<Controls> ui_;
  InstallRecord record_;  // existing folder and uninstall record, new folder and record, admin flags
  bool hasExisting_ = false;
  std::wstring programPath_;
  std::wstring startAddress_;
  int startupStyle_ = 0;
  unsigned bringForwardDelay_ = 3000;
  unsigned autoCloseDelay_ = 0xFFFFFFFFu;
  int pageBeforeInstalling_ = 0;
  double installFraction_ = 0.0;
  Utils::Stopwatch downloadStopwatch_;
  std::wstring experimentLabel_ = L"IN";
  bool downloaderReported_ = false;
  std::unique_ptr<CDownloadInstaller> orchestrator_;
  std::unique_ptr<Utils::Thread> networkChecker_;
  int slidePosition_ = 127;
  // The window the status callback posts to; cleared when the window goes, so
  // late producers drop their records instead of losing them in a dead queue.
  std::shared_ptr<std::atomic<HWND>> statusTarget_;
};
