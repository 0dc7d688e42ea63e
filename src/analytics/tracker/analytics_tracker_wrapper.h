// The tracker the process holds: it owns one AnalyticsTrackerImpl and makes every
// track call safe to make. Whatever a call throws is caught; when the tracker has
// a logger, "Failed to <call>" and a line break go to standard output. Destroying
// the wrapper runs the tracker's shutdown (the final delivery) on that thread.
#pragma once
#include <memory>
#include <string>

#include "analytics/tracker/analytics_tracker.h"
#include "analytics/tracker/analytics_tracker_impl.h"

namespace zorvik {
namespace analytics {

class AnalyticsTrackerWrapper : public AnalyticsTracker {
 public:
  explicit AnalyticsTrackerWrapper(std::unique_ptr<AnalyticsTrackerImpl> impl);
  ~AnalyticsTrackerWrapper() override;
  AnalyticsTrackerWrapper(const AnalyticsTrackerWrapper&) = delete;
  AnalyticsTrackerWrapper& operator=(const AnalyticsTrackerWrapper&) = delete;

  void trackActivity(const ZvEventActivity& event, const ZvContextProperties& context) override;
  void trackLaunch(const ZvEventLaunch& event, const ZvContextProperties& context) override;
  void trackLogin(const ZvEventLogin& event, const ZvContextProperties& context) override;
  void trackClick(const ZvEventClick& event, const ZvContextProperties& context) override;
  void trackView(const ZvEventView& event, const ZvContextProperties& context) override;
  void trackCashier(const ZvEventCashier& event, const ZvContextProperties& context) override;
  void trackShare(const ZvEventShare& event, const ZvContextProperties& context) override;
  void trackTask(const ZvEventTask& event, const ZvContextProperties& context) override;
  void trackFile(const ZvEventFile& event, const ZvContextProperties& context) override;
  void trackOrder(const ZvEventOrder& event, const ZvContextProperties& context) override;
  void trackPayment(const ZvEventPayment& event, const ZvContextProperties& context) override;
  void trackUninstall(const ZvEventUninstall& event, const ZvContextProperties& context) override;
  void trackCrash(const std::string& reason) override;
  void trackUpdate(const ZvEventUpdate& event, const ZvContextProperties& context) override;
  void trackAppOpenNotification(const ZvAppOpenNotification* event, const ZvContextProperties& context) override;
  // These two forward without catching.
  void setLocale(const std::string& locale) override;
  std::string getPrimaryDistinctId() override;
  // Always null: the logger belongs to the implementation.
  TrackLogger* getLogger() override { return nullptr; }

  // The implementation, for callers that need what init resolved.
  const AnalyticsTrackerImpl& impl() const { return *impl_; }

 private:
  // Runs call; reports a throw as "Failed to <name>".
  template <typename Call>
  void Guarded(const char* name, Call call);

  std::unique_ptr<AnalyticsTrackerImpl> impl_;
};

}  // namespace analytics
}  // namespace zorvik
