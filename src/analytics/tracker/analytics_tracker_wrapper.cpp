#include "analytics/tracker/analytics_tracker_wrapper.h"

#include <cstdio>
#include <utility>

namespace zorvik {
namespace analytics {
namespace {

void WriteOut(const std::string& line) {
  // One fwrite holds the stream's lock for the whole line.
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

}  // namespace

AnalyticsTrackerWrapper::AnalyticsTrackerWrapper(std::unique_ptr<AnalyticsTrackerImpl> impl)
    : impl_(std::move(impl)) {}

AnalyticsTrackerWrapper::~AnalyticsTrackerWrapper() {
  try {
    impl_->shutdown();
  } catch (...) {
    // Nothing may escape a destructor; a failed final delivery is only lost data.
  }
}

template <typename Call>
void AnalyticsTrackerWrapper::Guarded(const char* name, Call call) {
  try {
    call();
  } catch (...) {
    if (impl_->getLogger()) WriteOut(std::string("Failed to ") + name + "\n");
  }
}

void AnalyticsTrackerWrapper::trackActivity(const ZvEventActivity& e, const ZvContextProperties& c) {
  Guarded("trackActivity", [&] { impl_->trackActivity(e, c); });
}
void AnalyticsTrackerWrapper::trackLaunch(const ZvEventLaunch& e, const ZvContextProperties& c) {
  Guarded("trackLaunch", [&] { impl_->trackLaunch(e, c); });
}
void AnalyticsTrackerWrapper::trackLogin(const ZvEventLogin& e, const ZvContextProperties& c) {
  Guarded("trackLogin", [&] { impl_->trackLogin(e, c); });
}
void AnalyticsTrackerWrapper::trackClick(const ZvEventClick& e, const ZvContextProperties& c) {
  Guarded("trackClick", [&] { impl_->trackClick(e, c); });
}
void AnalyticsTrackerWrapper::trackView(const ZvEventView& e, const ZvContextProperties& c) {
  Guarded("trackView", [&] { impl_->trackView(e, c); });
}
void AnalyticsTrackerWrapper::trackCashier(const ZvEventCashier& e, const ZvContextProperties& c) {
  Guarded("trackCashier", [&] { impl_->trackCashier(e, c); });
}
void AnalyticsTrackerWrapper::trackShare(const ZvEventShare& e, const ZvContextProperties& c) {
  Guarded("trackShare", [&] { impl_->trackShare(e, c); });
}
void AnalyticsTrackerWrapper::trackTask(const ZvEventTask& e, const ZvContextProperties& c) {
  Guarded("trackTask", [&] { impl_->trackTask(e, c); });
}
void AnalyticsTrackerWrapper::trackFile(const ZvEventFile& e, const ZvContextProperties& c) {
  Guarded("trackFile", [&] { impl_->trackFile(e, c); });
}
void AnalyticsTrackerWrapper::trackOrder(const ZvEventOrder& e, const ZvContextProperties& c) {
  Guarded("trackOrder", [&] { impl_->trackOrder(e, c); });
}
void AnalyticsTrackerWrapper::trackPayment(const ZvEventPayment& e, const ZvContextProperties& c) {
  Guarded("trackPayment", [&] { impl_->trackPayment(e, c); });
}
void AnalyticsTrackerWrapper::trackUninstall(const ZvEventUninstall& e, const ZvContextProperties& c) {
  Guarded("trackUninstall", [&] { impl_->trackUninstall(e, c); });
}
void AnalyticsTrackerWrapper::trackCrash(const std::string& reason) {
  Guarded("trackCrash", [&] { impl_->trackCrash(reason); });
}
void AnalyticsTrackerWrapper::trackUpdate(const ZvEventUpdate& e, const ZvContextProperties& c) {
  Guarded("trackUpdate", [&] { impl_->trackUpdate(e, c); });
}
void AnalyticsTrackerWrapper::trackAppOpenNotification(const ZvAppOpenNotification* e,
                                                       const ZvContextProperties& c) {
  Guarded("trackAppOpenNotification", [&] { impl_->trackAppOpenNotification(e, c); });
}

void AnalyticsTrackerWrapper::setLocale(const std::string& locale) { impl_->setLocale(locale); }
std::string AnalyticsTrackerWrapper::getPrimaryDistinctId() { return impl_->getPrimaryDistinctId(); }

}  // namespace analytics
}  // namespace zorvik
