#include "analytics/funnel/installer_funnel.h"

#include <exception>

#include "analytics/tracker/catalogue_enums.h"
#include "analytics/tracker/tracker_handle.h"
#include "app/installer_config.h"
#include "download/funnel_hook.h"
#include "utils/debug_log.h"
#include "utils/text.h"

namespace zorvik {
namespace analytics {
namespace {

std::string Utf8(const std::wstring& text) { return Utils::ToNarrow(text, Utils::kCodePageUtf8); }

// The tracker to report to, or null while analytics is off or not started.
std::shared_ptr<AnalyticsTrackerWrapper> ActiveTracker() {
  if (!InstallerConfig::Get().IsEnableAnalytics) return nullptr;
  return CurrentTracker();
}

// The A/B label for one event kind. A label the check refuses is left out and the
// event still goes: losing the A/B split is better than losing the funnel step.
ZvContextProperties AbContext(const AbMap& ab, int eventKind) {
  ZvContextProperties context;
  auto it = ab.find(L"AB");
  if (it == ab.end()) return context;
  const std::string label = Utf8(it->second);
  try {
    if (ZvContextProperties::isValidABValue(label)) context.setProperty({eventKind}, label);
  } catch (const std::exception& e) {
    DEBUG_PRINT(L"A/B label left out: %ls\r\n", Utils::ToWide(e.what(), Utils::kCodePageUtf8).c_str());
  }
  return context;
}

}  // namespace

void StartAnalytics() {
  const InstallerConfig& c = InstallerConfig::Get();
  if (!c.IsEnableAnalytics) return;
  TrackerConfig config;
  config.appName = Utf8(c.AppName + c.DlAppNameSuffix);
  config.appVersion = Utf8(c.AppVersion);
  config.appStore = Utf8(c.ExeName);
  config.dlAppId = Utf8(c.AppName);
  config.dlAppVersion = Utf8(c.DlAppVersion);
  config.edition = 0;
  config.serverUrl = Utf8(c.AnalyticsUrl);
  CreateTracker(config);
  DownloadFunnel::SetStepReporter(&ReportFunnelStep);
}

void StopAnalytics() {
  if (!InstallerConfig::Get().IsEnableAnalytics) return;
  DownloadFunnel::SetStepReporter(nullptr);
  ReleaseTracker();
}

void ReportFunnelStep(const AbMap& ab, const std::wstring& step, const std::wstring& reason, float elapsedSeconds) {
  auto tracker = ActiveTracker();
  if (!tracker) return;
  ZvEventTask task;
  task.name = Utf8(step);
  task.reason = Utf8(reason);
  task.elapsed = elapsedSeconds;
  task.result = ZvResult::Success;
  tracker->trackTask(task, AbContext(ab, kEventTask));
}

void ReportFunnelClick(const AbMap& ab, const std::wstring& buttonText) {
  auto tracker = ActiveTracker();
  if (!tracker) return;
  ZvEventClick click;
  click.name = Utf8(buttonText);
  click.clickType = ZvClickType::Button;
  tracker->trackClick(click, AbContext(ab, kEventClick));
}

void ReportFunnelView(const AbMap& ab) {
  auto tracker = ActiveTracker();
  if (!tracker) return;
  ZvEventView view;
  view.name = "\xE5\xAE\x89\xE8\xA3\x85\xE4\xB8\xAD";  // 安装中
  tracker->trackView(view, AbContext(ab, kEventView));
}

void ReportCrash() {
  auto tracker = ActiveTracker();
  if (!tracker) return;
  tracker->trackCrash("\xE5\xB4\xA9\xE6\xBA\x83");  // 崩溃
}

}  // namespace analytics
}  // namespace zorvik
