// The four catalogue calls the installer's funnel makes: task, click, view, crash.
#include "analytics/sdk/sdk.h"
#include "analytics/tracker/analytics_tracker_impl.h"
#include "analytics/tracker/catalogue_enums.h"
#include "analytics/tracker/event_text.h"
#include "analytics/tracker/zv_exception.h"

namespace zorvik {
namespace analytics {

using zv_analytics::PropertiesNode;

void AnalyticsTrackerImpl::trackTask(const ZvEventTask& event, const ZvContextProperties& context) {
  if (event.name.empty()) ZV_RAISE("zvEventTask.name is empty");
  PropertiesNode p;
  SetEventText(&p, "zv_task_name", event.name);
  if (event.elapsed) p.SetNumber("zv_task_elapsed", static_cast<double>(*event.elapsed));
  if (event.result) {
    const int result = static_cast<int>(*event.result);
    if (result >= 0 && result <= 2) p.SetString("zv_task_result", ResultName(*event.result));
  }
  SetOptionalText(&p, "zv_aname", event.aname);
  SetOptionalText(&p, "zv_reason", event.reason);
  p.SetBool("$is_first_time", true);
  Record(kEventTask, "ZvEventTask", &p, &context);
  Ordinary();
}

void AnalyticsTrackerImpl::trackClick(const ZvEventClick& event, const ZvContextProperties& context) {
  if (event.name.empty()) ZV_RAISE("zvEventClick.name is empty");
  const std::string type = ClickTypeName(event.clickType);
  PropertiesNode p;
  SetEventText(&p, "zv_name", event.name);
  p.SetString("zv_click_type", type);
  SetOptionalText(&p, "zv_aname", event.aname);
  SetOptionalText(&p, "zv_title", event.title);
  SetOptionalText(&p, "zv_position", event.position);
  SetOptionalText(&p, "zv_module", event.module);
  SetOptionalText(&p, "zv_tab_name", event.tabName);
  if (event.tabIndex) p.SetNumber("zv_tab_index", *event.tabIndex);
  SetOptionalText(&p, "zv_banner_name", event.bannerName);
  if (event.bannerIndex) p.SetNumber("zv_banner_index", *event.bannerIndex);
  p.SetBool("$is_first_time", true);
  Record(kEventClick, "ZvEventClick", &p, &context);
  Ordinary();
}

void AnalyticsTrackerImpl::trackView(const ZvEventView& event, const ZvContextProperties& context) {
  if (event.name.empty()) ZV_RAISE("zvEventView.name is empty");
  PropertiesNode p;
  SetEventText(&p, "zv_name", event.name);
  SetOptionalText(&p, "zv_aname", event.aname);
  SetOptionalText(&p, "zv_title", event.title);
  SetOptionalText(&p, "zv_position", event.position);
  p.SetBool("$is_first_time", true);
  Record(kEventView, "ZvEventView", &p, &context);
  Ordinary();
}

void AnalyticsTrackerImpl::trackCrash(const std::string& reason) {
  PropertiesNode p;
  SetOptionalText(&p, "app_crashed_reason", reason);
  Record(kEventCrashed, "AppCrashed", &p, nullptr);
  Urgent();
}

}  // namespace analytics
}  // namespace zorvik
