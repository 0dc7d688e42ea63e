// AnalyticsTrackerImpl: the tracker that does the work. It checks each record,
// builds the event's properties (UTF-8 texts, context properties), records it
// through the SDK and decides its delivery: ordinary events wait in the queue and
// raise the pending count; urgent ones flush at once. It also keeps the device
// identity and the tracker's files (identity_files.h, identity_store.h).
//
// Every refusal raises a ZvException (the wrapper catches them). Track calls may
// run on several threads at once: each builds its own properties, the SDK queues
// under its own lock, the identity has a lock of its own and the pending count is
// atomic. init and shutdown run on one thread while no track call runs.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "analytics/sdk/properties_node.h"
#include "analytics/tracker/analytics_tracker.h"
#include "analytics/tracker/identity_files.h"
#include "analytics/tracker/identity_store.h"
#include "analytics/tracker/native_track_logger.h"
#include "analytics/tracker/tracker_config.h"

namespace zorvik {
namespace analytics {

class AnalyticsTrackerImpl : public AnalyticsTracker {
 public:
  explicit AnalyticsTrackerImpl(TrackerConfig config);
  // Runs shutdown when it has not run.
  ~AnalyticsTrackerImpl() override;
  AnalyticsTrackerImpl(const AnalyticsTrackerImpl&) = delete;
  AnalyticsTrackerImpl& operator=(const AnalyticsTrackerImpl&) = delete;

  // Checks the configuration, prepares the files, loads and reconciles the
  // identity, opens the log, starts the SDK and registers the common properties.
  // Raises on the first failure; what was done before it stays done.
  void init();
  // Saves the identity, delivers what is pending (three attempts) and tears the
  // SDK down, which stages what is still queued. Idempotent.
  void shutdown();

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
  void setLocale(const std::string& locale) override;
  std::string getPrimaryDistinctId() override;
  TrackLogger* getLogger() override { return logger_.get(); }

  // What init resolved (empty before).
  const std::wstring& dataDirectory() const { return files_.dataDirectory; }
  const std::wstring& settingsFile() const { return files_.settingsFile; }
  const std::string& serverUrl() const { return serverUrl_; }
  const std::string& logPath() const { return logPath_; }
  Identity identity() const;
  int32_t pendingCount() const { return pending_.load(); }

 private:
  zv_analytics::PropertiesNode CommonProperties() const;
  zv_analytics::PropertiesNode LocaleProperties() const;
  // Adds the context of the kind and records the event with Sdk::Track.
  void Record(int kind, const std::string& eventName, zv_analytics::PropertiesNode* properties,
              const ZvContextProperties* context);
  // Ordinary delivery: 1 ms pause, one more pending record.
  void Ordinary();
  // Urgent delivery: counts the event as pending and tries FlushAll up to three times.
  void Urgent();
  void FlushPending(bool pauseAfterFailure);
  // The three visit profile updates of an activation or launch, at the current time.
  void VisitProfileUpdates();
  void SwitchToLogin(const std::string& userId, int vipLevel);

  const TrackerConfig config_;
  const bool debug_ = false;
  std::string serverUrl_;
  std::string logPath_;
  IdentityFiles files_;
  std::unique_ptr<IdentityStore> store_;
  std::unique_ptr<NativeTrackLogger> logger_;
  std::string osVersion_;
  std::string userAgent_;
  bool sdkStarted_ = false;
  bool shutDown_ = false;

  mutable std::mutex identityLock_;
  Identity identity_;   // guarded by identityLock_
  std::string locale_;  // guarded by identityLock_

  std::atomic<int32_t> pending_{0};
};

}  // namespace analytics
}  // namespace zorvik
