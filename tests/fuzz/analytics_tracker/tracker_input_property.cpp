#include "fuzz/analytics_tracker/tracker_input_property.h"

#include <string>
#include <vector>

#include "analytics/sdk/utf8_rule.h"
#include "analytics/tracker/analytics_tracker_impl.h"
#include "analytics/tracker/event_text.h"
#include "analytics/tracker/os_description.h"
#include "analytics/tracker/zv_exception.h"

namespace {

using namespace zorvik::analytics;

// Fields are separated by 0x00; missing fields are empty.
std::vector<std::string> Fields(const uint8_t* data, size_t size) {
  std::vector<std::string> out(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      out.emplace_back();
    } else {
      out.back().push_back(static_cast<char>(data[i]));
    }
  }
  out.resize(out.size() < 6 ? 6 : out.size());
  return out;
}

bool WellFormed(const std::string& text) {
  for (size_t pos = 0; pos < text.size();) {
    const size_t n = zv_analytics::Utf8SequenceLength(text, pos);
    if (n == 0) return false;
    pos += n;
  }
  return true;
}

bool LabelShape(const std::string& v) {
  auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (v.empty() || v.size() > 3 || !upper(v[0])) return false;
  for (size_t i = 1; i < v.size(); ++i)
    if (!upper(v[i]) && !digit(v[i])) return false;
  return true;
}

}  // namespace

bool CheckTrackerInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> f = Fields(data, size);
  try {
    const std::string converted = ToEventText(f[0]);
    // Empty is allowed: a text the ANSI code page cannot map converts to nothing.
    if (!WellFormed(converted) || (f[0].empty() && !converted.empty())) return false;

    bool accepted = false;
    try {
      accepted = ZvContextProperties::isValidABValue(f[1]);
    } catch (const ZvException&) {
      accepted = false;
    }
    if (accepted != LabelShape(f[1])) return false;

    const LocaleTriple t = ComputeLocale(f[2], f[3], f[4]);
    if (!t.locale.empty() && t.locale.find('_') == std::string::npos) return false;

    // The funnel's calls on a tracker that never started: checks and property
    // building run, nothing is recorded.
    AnalyticsTrackerImpl tracker{TrackerConfig{}};
    ZvContextProperties context;
    const int kind = f[5].empty() ? 7 : static_cast<unsigned char>(f[5][0]) % 20;
    try {
      context.setProperty({kind}, f[1]);
    } catch (const ZvException&) {
    }
    const int code = f[5].size() > 1 ? static_cast<signed char>(f[5][1]) : 0;
    try {
      ZvEventTask task;
      task.name = f[0];
      task.reason = f[2];
      task.result = static_cast<ZvResult>(code);
      tracker.trackTask(task, context);
    } catch (const ZvException&) {
    }
    try {
      ZvEventClick click;
      click.name = f[3];
      click.title = f[4];
      click.clickType = static_cast<ZvClickType>(code);
      tracker.trackClick(click, context);
    } catch (const ZvException&) {
    }
    tracker.trackCrash(f[0]);
  } catch (...) {
    return false;
  }
  return true;
}
