#include "ui/toolkit/notify_queue.h"

namespace Vellum {

bool CNotifyQueue::Push(const NotifyEvent& event, bool repeat) {
  std::lock_guard<std::mutex> guard(lock_);
  if (!repeat) {
    for (auto& queued : events_) {
      if (queued.type == event.type && queued.sender == event.sender) {
        queued = event;
        return false;
      }
    }
  }
  events_.push_back(event);
  if (wakePending_) return false;
  wakePending_ = true;
  return true;
}

std::vector<NotifyEvent> CNotifyQueue::Drain() {
  std::lock_guard<std::mutex> guard(lock_);
  std::vector<NotifyEvent> out(events_.begin(), events_.end());
  events_.clear();
  wakePending_ = false;
  return out;
}

void CNotifyQueue::Clear() {
  std::lock_guard<std::mutex> guard(lock_);
  events_.clear();
  wakePending_ = false;
}

}  // namespace Vellum
