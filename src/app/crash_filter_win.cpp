#include "app/crash_filter_win.h"

#include "analytics/funnel/installer_funnel.h"

LONG WINAPI CrashFilter(EXCEPTION_POINTERS*) {
  ReportFunnelStep({{L"AB", L"IN"}}, L"崩溃退出", L"", 0.0f);
  ReportCrash();
  return EXCEPTION_CONTINUE_SEARCH;
}
