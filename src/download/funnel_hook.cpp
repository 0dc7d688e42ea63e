#include "download/funnel_hook.h"

#include <mutex>

namespace DownloadFunnel {

namespace {

// The hook point itself: the one piece of process-wide state of this module.
std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}
StepReporter& Hook() {  // guarded by HookMutex()
  static StepReporter hook;
  return hook;
}

}  // namespace

void SetStepReporter(StepReporter reporter) {
  std::lock_guard<std::mutex> lock(HookMutex());
  Hook() = std::move(reporter);
}

void ReportFunnelStep(const AbMap& ab, const std::wstring& step, const std::wstring& reason,
                      float elapsedSeconds) {
  StepReporter reporter;
  {
    std::lock_guard<std::mutex> lock(HookMutex());
    reporter = Hook();
  }
  if (reporter) reporter(ab, step, reason, elapsedSeconds);
}

}  // namespace DownloadFunnel
