// The installer's entry: start-up in a fixed order, the main window's modal loop
// on this thread, then shutdown in the reverse order of what needs it.
#include <windows.h>

#include <curl/curl.h>

#include "analytics/funnel/installer_funnel.h"
#include "app/crash_filter_win.h"
#include "app/dll_search_path.h"
#include "app/installer_config.h"
#include "ui/toolkit/drop_shadow.h"
#include "ui/main/main_wnd.h"
#include "ui/toolkit/skin_resource.h"
#include "ui/toolkit/ui_manager.h"
#include "utils/instance_mutex.h"

namespace {

constexpr int kSevenZipArchive = 1;

void InitCurl() {
  if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
    InstallerConfig::Get().CurlReady = false;
    // No tracker exists yet, so this records nothing; kept for the funnel's catalogue.
    zorvik::analytics::ReportFunnelStep({{L"AB", L"IN"}}, L"libcurl初始化失败", L"", 0.0f);
  }
}

void PrepareToolkit(HINSTANCE instance) {
  Vellum::CUIManager::SetInstance(instance);
  Vellum::CSkinResource::SetArchiveReader(kSevenZipArchive);
  Vellum::CDropShadow::Initialize(instance);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  HardenDllSearchPath();
  ::SetUnhandledExceptionFilter(CrashFilter);
  InitCurl();

  Utils::InstanceMutex lock(L"Installer_Quibzip");
  if (!lock.Acquire()) return -1;

  zorvik::analytics::StartAnalytics();
  InstallerConfig::Get().ApplyCommandLine();
  PrepareToolkit(instance);
  {
    CMainWnd window;
    window.Create(nullptr, L"QuibZip", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0);
    window.CenterWindow();
    window.ShowModal();

    zorvik::analytics::StopAnalytics();
    curl_global_cleanup();
  }  // the window object goes here, before the lock
  lock.Release();
  return 0;
}
