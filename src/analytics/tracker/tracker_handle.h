// The process-wide tracker: one shared handle, set by CreateTracker and cleared by
// ReleaseTracker (start-up and exit, main thread). Any thread may take the current
// tracker; a call in progress keeps it alive, so the final delivery runs when the
// last holder lets go.
#pragma once
#include <memory>

#include "analytics/tracker/analytics_tracker_wrapper.h"
#include "analytics/tracker/tracker_config.h"

namespace zorvik {
namespace analytics {

// Releases the current tracker (its shutdown runs first, so the new tracker's SDK
// is not torn down under it), then builds and initialises a new one and installs
// it. A failing init is dropped: the tracker is installed anyway and records
// whatever its state allows (nothing, when the SDK did not start).
void CreateTracker(const TrackerConfig& config);
// Clears the handle; the tracker shuts down when no call holds it any more.
void ReleaseTracker();
// The current tracker, or null.
std::shared_ptr<AnalyticsTrackerWrapper> CurrentTracker();

}  // namespace analytics
}  // namespace zorvik
