// The analytics interface the rest of the system sees: one typed call per kind of
// business event. Every call except trackCrash takes the caller's context
// properties for that call. Calls may come from any thread at once; none returns a
// result and (through the wrapper) none throws.
#pragma once
#include <string>

#include "analytics/tracker/event_records.h"
#include "analytics/tracker/zv_context_properties.h"

namespace zorvik {
namespace analytics {

class TrackLogger;

class AnalyticsTracker {
 public:
  virtual ~AnalyticsTracker() = default;
  virtual void trackActivity(const ZvEventActivity& event, const ZvContextProperties& context) = 0;
  virtual void trackLaunch(const ZvEventLaunch& event, const ZvContextProperties& context) = 0;
  virtual void trackLogin(const ZvEventLogin& event, const ZvContextProperties& context) = 0;
  virtual void trackClick(const ZvEventClick& event, const ZvContextProperties& context) = 0;
  virtual void trackView(const ZvEventView& event, const ZvContextProperties& context) = 0;
  virtual void trackCashier(const ZvEventCashier& event, const ZvContextProperties& context) = 0;
  virtual void trackShare(const ZvEventShare& event, const ZvContextProperties& context) = 0;
  virtual void trackTask(const ZvEventTask& event, const ZvContextProperties& context) = 0;
  virtual void trackFile(const ZvEventFile& event, const ZvContextProperties& context) = 0;
  virtual void trackOrder(const ZvEventOrder& event, const ZvContextProperties& context) = 0;
  virtual void trackPayment(const ZvEventPayment& event, const ZvContextProperties& context) = 0;
  virtual void trackUninstall(const ZvEventUninstall& event, const ZvContextProperties& context) = 0;
  virtual void trackCrash(const std::string& reason) = 0;
  virtual void trackUpdate(const ZvEventUpdate& event, const ZvContextProperties& context) = 0;
  // The record is a pointer: a null one is refused like an empty field.
  virtual void trackAppOpenNotification(const ZvAppOpenNotification* event, const ZvContextProperties& context) = 0;
  // Replaces the locale ("zh_CN") and the locale properties of later events.
  virtual void setLocale(const std::string& locale) = 0;
  virtual std::string getPrimaryDistinctId() = 0;
  // Null when there is none.
  virtual TrackLogger* getLogger() = 0;
};

}  // namespace analytics
}  // namespace zorvik
