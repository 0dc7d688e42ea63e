#include "analytics/tracker/tracker_handle.h"

#include <exception>
#include <mutex>
#include <new>
#include <utility>

#include "utils/debug_log.h"
#include "utils/text.h"

namespace zorvik {
namespace analytics {
namespace {

// The global handle of the design: the one piece of process-wide tracker state.
std::mutex& HandleLock() {
  static std::mutex lock;
  return lock;
}
using HandlePtr = std::shared_ptr<AnalyticsTrackerWrapper>;
// Deliberately never destroyed: a tracker left installed at exit (analytics was
// switched off after it started) must not deliver from a static destructor, after
// libcurl has been cleaned up.
HandlePtr& Handle() {  // guarded by HandleLock()
  alignas(HandlePtr) static unsigned char storage[sizeof(HandlePtr)];
  static HandlePtr* handle = ::new (static_cast<void*>(storage)) HandlePtr();
  return *handle;
}

}  // namespace

void CreateTracker(const TrackerConfig& config) {
  ReleaseTracker();
  auto impl = std::make_unique<AnalyticsTrackerImpl>(config);
  try {
    impl->init();
  } catch (const std::exception& e) {
    DEBUG_PRINT(L"analytics start-up stopped: %ls\r\n", Utils::ToWide(e.what(), Utils::kCodePageUtf8).c_str());
  } catch (...) {
    DEBUG_PRINT(L"analytics start-up stopped\r\n");
  }
  auto wrapper = std::make_shared<AnalyticsTrackerWrapper>(std::move(impl));
  std::lock_guard<std::mutex> hold(HandleLock());
  Handle() = std::move(wrapper);
}

void ReleaseTracker() {
  std::shared_ptr<AnalyticsTrackerWrapper> old;
  {
    std::lock_guard<std::mutex> hold(HandleLock());
    old.swap(Handle());
  }
  // The shutdown (and its network delivery) runs here, outside the lock.
  old.reset();
}

std::shared_ptr<AnalyticsTrackerWrapper> CurrentTracker() {
  std::lock_guard<std::mutex> hold(HandleLock());
  return Handle();
}

}  // namespace analytics
}  // namespace zorvik
