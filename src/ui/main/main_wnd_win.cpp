// The main window's set-up, message routing, buttons, selections and pages.
#include "ui/main/main_wnd.h"

#include <shellapi.h>
#include <ole2.h>
#include <shlobj.h>

#include <atomic>

#include "app/installer_config.h"
#include "install/download_installer.h"
#include "ui/main/decorations_bridge.h"
#include "ui/main/main_wnd_controls.h"
#include "ui/main/page_decoration.h"
#include "utils/system_queries.h"
#include "utils/thread.h"

using namespace MainWindow;

namespace {

constexpr UINT kIconResource = 145;
const wchar_t kProductName[] = L"QuibZip";
const wchar_t kProductExe[] = L"Quibzip.exe";
// The licence agreement has no address in this delivery (its button is hidden).
const wchar_t kLicenceAddress[] = L"";

template <typename T>
T* Find(Vellum::CUIManager& manager, const wchar_t* name) {
  return dynamic_cast<T*>(manager.FindControl(name));
}

bool SameName(const Vellum::NotifyEvent& msg, const Vellum::CControlUI* control) {
  return control != nullptr && msg.sender == control;
}

}  // namespace

CMainWnd::CMainWnd()
    : CSkinFrame(Vellum::FrameParams{Vellum::kResourceZipInResource, 147, L"", L"MainWnd.xml", L"MainWnd"}),
      ui_(std::make_unique<Controls>()),
      statusTarget_(std::make_shared<std::atomic<HWND>>(nullptr)) {
  AddNotifyHandler(L"selectchanged", [this](Vellum::NotifyEvent& msg) { OnSelectChanged(msg); });
  AddNotifyHandler(L"tabselect", [this](Vellum::NotifyEvent&) { OnTabSelect(); });
  AddNotifyHandler(L"timer", [this](Vellum::NotifyEvent& msg) { OnTimerNotify(msg); });
  AddNotifyHandler(L"checknet", [this](Vellum::NotifyEvent& msg) { OnCheckNet(msg); });
  AddNotifyHandler(L"install", [this](Vellum::NotifyEvent& msg) { OnInstall(msg); });
}

CMainWnd::~CMainWnd() {
  statusTarget_->store(nullptr);
  orchestrator_.reset();
  if (networkChecker_) networkChecker_->Join();
  networkChecker_.reset();
}

LRESULT CMainWnd::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  return CSkinFrame::MessageHandler(msg, wParam, lParam, handled);
}

void CMainWnd::Notify(Vellum::NotifyEvent& msg) { CSkinFrame::Notify(msg); }

std::unique_ptr<Vellum::CControlUI> CMainWnd::CreateControl(const std::wstring& className) {
  return CreateSequenceControl(className);
}

// ---- window ready

void CMainWnd::InitWindow() {
  CSkinFrame::InitWindow();
  ApplyInstallerWindowStyles();
  SetIcon(kIconResource);

  FindControls();
  FitProductNameLabels();

  statusTarget_->store(GetHWND());
  std::shared_ptr<std::atomic<HWND>> target = statusTarget_;
  StatusCallback callback = [target](int code, double value, const std::wstring& text) {
    HWND window = target->load();
    if (!window) return;
    auto record = std::make_unique<StatusRecord>(StatusRecord{code, value, text});
    if (::PostMessageW(window, WM_INSTALL_STATUS, 0, reinterpret_cast<LPARAM>(record.get()))) record.release();
  };
  orchestrator_ = std::make_unique<CDownloadInstaller>(callback, L"", L"", L"", true, true, true);

  ReadInstallRecord(record_);
  hasExisting_ = !record_.installDir.empty();
  if (ui_->installDirEdit) ui_->installDirEdit->SetText(DefaultInstallDir(record_));
  CenterWindow();
  if (hasExisting_) DecideExistingInstallation();
}

void CMainWnd::FindControls() {
  Vellum::CUIManager& m = GetManager();
  Controls& c = *ui_;
  c.winCtn = m.FindControl(L"winCtn");
  c.titleTabLt = Find<Vellum::CTabLayoutUI>(m, L"titleTabLt");
  c.mainTabLt = Find<Vellum::CTabLayoutUI>(m, L"mainTabLt");
  c.defaultInstallBtn = m.FindControl(L"defaultInstallBtn");
  c.customeInstallBtn = m.FindControl(L"customeInstallBtn");
  c.customeBtn = m.FindControl(L"customeBtn");
  c.treatyBtn = Find<Vellum::COptionUI>(m, L"treatyBtn");
  c.backBtn = m.FindControl(L"backBtn");
  c.treatyCb = Find<Vellum::COptionUI>(m, L"treatyCb");
  c.chDirBtn = m.FindControl(L"chDirBtn");
  c.installDirEdit = m.FindControl(L"installDirEdit");
  c.openProduceBtn = m.FindControl(L"openProduceBtn");
  c.ableftBtn = m.FindControl(L"ableftBtn");
  c.abrightBtn = m.FindControl(L"abrightBtn");
  c.titleGrpCtn = m.FindControl(L"titleGrpCtn");
  c.progressLb = m.FindControl(L"progressLb");
  c.createDSCb = Find<Vellum::COptionUI>(m, L"createDSCb");
  c.createQSCb = Find<Vellum::COptionUI>(m, L"createQSCb");
  c.progressAnLb = m.FindControl(L"progressAnLb");
  c.finishedLbl = m.FindControl(L"finishedLbl");
  c.installPrg = Find<Vellum::CProgressUI>(m, L"installPrg");
  c.tipLbl = m.FindControl(L"tipLbl");
  c.softNameLbl = m.FindControl(L"softNameLbl");
  c.installLogo = m.FindControl(L"installLogo");
}

void CMainWnd::FitProductNameLabels() {
  HDC dc = ::GetDC(GetHWND());
  for (const wchar_t* name : {L"softNameLbl", L"bTitleLbl1", L"bTitleLbl2", L"bTitleLbl3"}) {
    auto* label = Find<Vellum::CLabelUI>(GetManager(), name);
    if (!label) continue;
    const Vellum::Size size = GetManager().GetTextSize(dc, kProductName, label->GetFont(), label->GetTextStyle());
    label->SetFixedWidth(size.cx);
    label->SetText(kProductName);
  }
  ::ReleaseDC(GetHWND(), dc);
}

void CMainWnd::DecideExistingInstallation() {
  if (Utils::FindProcessByName(kProductExe) != 0) {
    ShowRunningMessage();
    Close(1);
    return;
  }
  const int answer = ShowPromptFile(L"InstalledPathTipWnd.xml");
  if (answer == 1) {
    programPath_ = record_.installDir + L"\\" + kProductExe;
    ::ShellExecuteW(nullptr, L"open", programPath_.c_str(), nullptr, record_.installDir.c_str(), SW_SHOWNORMAL);
    Close(1);
  } else if (answer == 0) {
    StartInstall(record_.installDir, true, true);
  } else {
    Close(1);
  }
}

// ---- messages

LRESULT CMainWnd::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = false;
  switch (msg) {
    case WM_INSTALL_STATUS: {
      handled = true;
      std::unique_ptr<StatusRecord> record(reinterpret_cast<StatusRecord*>(lParam));
      if (record) OnInstallStatus(*record);
      return 0;
    }
    case WM_TIMER:
      OnTimerMessage(wParam);  // the toolkit still handles it
      return 0;
    case WM_CLOSE:
      handled = CurrentPage() == kPageInstalling;  // no closing while installing
      return 0;
    case WM_DOWNLOADER_READY:
      handled = true;
      if (!downloaderReported_) {
        downloaderReported_ = true;
        RecordStep(L"下载器启动");
      }
      return 0;
    case WM_DESTROY:
      DrainStatusRecords();
      return 0;
    default:
      return 0;
  }
}

void CMainWnd::OnTimerMessage(WPARAM) {}

void CMainWnd::DrainStatusRecords() {
  statusTarget_->store(nullptr);
  MSG msg;
  while (::PeekMessageW(&msg, GetHWND(), WM_INSTALL_STATUS, WM_INSTALL_STATUS, PM_REMOVE)) {
    delete reinterpret_cast<StatusRecord*>(msg.lParam);
  }
}

// ---- buttons

void CMainWnd::OnClick(Vellum::NotifyEvent& msg) {
  Controls& c = *ui_;
  if (SameName(msg, c.defaultInstallBtn)) {
    RecordClick(L"立即安装");
    if (c.treatyCb && c.treatyCb->IsSelected()) {
      StartInstall(DefaultInstallDir(record_), true, true);
    } else if (c.tipLbl) {
      c.tipLbl->SetVisible(true);
    }
  } else if (SameName(msg, c.customeBtn)) {
    RecordClick(L"自定义安装");
    SelectPage(kPageCustom);
    if (c.customeInstallBtn) c.customeInstallBtn->SetFocus();
  } else if (SameName(msg, c.treatyBtn)) {
    if (kLicenceAddress[0] != L'\0') ::ShellExecuteW(nullptr, L"open", kLicenceAddress, nullptr, nullptr, SW_SHOWMAXIMIZED);
  } else if (SameName(msg, c.backBtn)) {
    SelectPage(kPageWelcome);
  } else if (SameName(msg, c.chDirBtn)) {
    ChooseFolder();
  } else if (SameName(msg, c.customeInstallBtn)) {
    RecordClick(L"自定义安装_立即安装");
    StartInstall(TypedInstallDir(), c.createDSCb && c.createDSCb->IsSelected(),
                 c.createQSCb && c.createQSCb->IsSelected());
  } else if (SameName(msg, c.openProduceBtn)) {
    RecordClick(L"立即体验");
    if (startupStyle_ == 2) StartProduct();
    Close(1);
  } else if (SameName(msg, c.ableftBtn) || SameName(msg, c.abrightBtn)) {
    StepSlide(SameName(msg, c.ableftBtn) ? -1 : 1);
    StartSlideTimer();
  } else if (msg.sender && msg.sender->GetName() == L"closebtn") {
    OnCloseButton();
  } else {
    CSkinFrame::OnClick(msg);
  }
}

void CMainWnd::OnCloseButton() {
  if (CurrentPage() == kPageFinished || ShowPromptFile(L"ExitTipWnd.xml") == 0) Close(1);
}

void CMainWnd::ChooseFolder() {
  // The new dialog style needs OLE on this thread for as long as the browser is up.
  const HRESULT ole = ::OleInitialize(nullptr);
  BROWSEINFOW info = {};
  info.hwndOwner = GetHWND();
  info.lpszTitle = L"选择一个文件夹";
  info.ulFlags = BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
  if (chosen) {
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(chosen, path) && ui_->installDirEdit) ui_->installDirEdit->SetText(path);
    ::CoTaskMemFree(chosen);
  }
  if (SUCCEEDED(ole)) ::OleUninitialize();
}

std::wstring CMainWnd::TypedInstallDir() {
  return ResolveInstallDir(record_, ui_->installDirEdit ? ui_->installDirEdit->GetText() : std::wstring());
}

// ---- selections and pages

void CMainWnd::OnSelectChanged(Vellum::NotifyEvent& msg) {
  Controls& c = *ui_;
  if (SameName(msg, c.treatyCb)) {
    const bool agreed = c.treatyCb->IsSelected();
    if (c.treatyBtn) c.treatyBtn->Selected(agreed, true);
    if (c.customeBtn) c.customeBtn->SetEnabled(agreed);
    if (agreed && c.tipLbl) c.tipLbl->SetVisible(false);
  } else if (SameName(msg, c.treatyBtn) && c.treatyCb) {
    c.treatyBtn->Selected(c.treatyCb->IsSelected(), true);  // does nothing once they agree
  }
}

int CMainWnd::CurrentPage() const { return ui_->mainTabLt ? ui_->mainTabLt->GetCurSel() : -1; }

void CMainWnd::SelectPage(int page) {
  if (ui_->mainTabLt) ui_->mainTabLt->SelectItem(page, true);
}

void CMainWnd::OnTabSelect() {
  Controls& c = *ui_;
  const PageDecoration d = DecorationForPage(CurrentPage());
  if (c.winCtn) c.winCtn->SetBkImage(d.background);
  if (d.stopSlideTimers) StopSlideTimers();
  if (d.titlePage >= 0 && c.titleTabLt) c.titleTabLt->SelectItem(d.titlePage, true);
  if (d.startProgressAnimation && IsSequenceLabel(c.progressAnLb)) StartSequence(c.progressAnLb);
  if (d.stopProgressAnimation && IsSequenceLabel(c.progressAnLb)) {
    GetManager().KillTimer(c.progressAnLb, kSequenceFrameTimerId);
  }
  if (d.startFinishedAnimation && IsSequenceLabel(c.finishedLbl)) StartSequence(c.finishedLbl);
  if (c.winCtn) c.winCtn->Invalidate();
  if (c.titleGrpCtn) c.titleGrpCtn->SetVisible(d.showTitleGroup);
  if (c.installLogo) c.installLogo->SetVisible(d.showInstallLogo);
  if (c.backBtn) c.backBtn->SetVisible(d.showBackButton);
}

// ---- timers

void CMainWnd::OnTimerNotify(Vellum::NotifyEvent& msg) {
  Vellum::CControlUI* root = GetManager().GetRoot();
  if (msg.sender && msg.sender == root && msg.wParam == 10) {
    ::SetForegroundWindow(GetHWND());
    GetManager().KillTimer(root, 10);
  } else if (msg.sender && msg.sender == root && msg.wParam == 11) {
    GetManager().KillTimer(root, 11);
    Close(1);
  } else if (msg.sender && msg.sender == ui_->winCtn && msg.wParam == static_cast<uint32_t>(kSlideTimerId)) {
    StepSlide(1);
  }
}

void CMainWnd::StepSlide(int step) {
  slidePosition_ += step;
  const wchar_t* background = SlideBackground(slidePosition_);
  if (background && ui_->winCtn) ui_->winCtn->SetBkImage(background);
}

void CMainWnd::StartSlideTimer() {
  if (!ui_->winCtn) return;
  GetManager().KillTimer(ui_->winCtn, kSlideTimerId);
  GetManager().SetTimer(ui_->winCtn, kSlideTimerId, kSlidePeriodMs);
}

void CMainWnd::StopSlideTimers() {
  if (ui_->winCtn) GetManager().KillTimer(ui_->winCtn, kSlideTimerId);
}

// ---- prompts

int CMainWnd::ShowPromptFile(const std::wstring& file, const wchar_t* text, const wchar_t* caption) {
  return Prompt(GetHWND(), file, text, caption);
}

void CMainWnd::ShowRunningMessage() {
  ShowPromptFile(L"MessageBox1Wnd.xml", L"安装程序检测到QuibZip\r\n正在运行，请退出程序后再安装", L"温馨提示");
}
