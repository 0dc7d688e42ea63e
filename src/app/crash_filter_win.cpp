#include "app/crash_filter_win.h"

#include "analytics/funnel/installer_funnel.h"

LONG WINAPI CrashFilter(EXCEPTION_POINTERS*) {
  zorvik::analytics::ReportFunnelStep({{L"AB", L"IN"}}, L"崩溃退出", L"", 0.0f);
  zorvik::analytics::ReportCrash();
  return EXCEPTION_CONTINUE_SEARCH;
}
