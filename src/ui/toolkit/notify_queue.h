// The queue of asynchronous notifications of one window. Any thread may push;
// the window's thread drains it when the manager's wake-up message arrives.
// Thread-safe: one lock guards the queue.
#pragma once
#include <deque>
#include <mutex>
#include <vector>

#include "ui/toolkit/notify_event.h"

namespace Vellum {

class CNotifyQueue {
 public:
  // Queues a copy. Without repeat, a queued event of the same type and sender
  // is updated in place instead. Returns true when the queue was empty and no
  // wake-up is pending yet: the caller must post one.
  bool Push(const NotifyEvent& event, bool repeat);
  // Everything queued, in order; the next Push asks for a new wake-up.
  std::vector<NotifyEvent> Drain();
  // Forgets queued events (the window is going away).
  void Clear();

 private:
  std::mutex lock_;
  std::deque<NotifyEvent> events_;
  bool wakePending_ = false;
};

}  // namespace Vellum
