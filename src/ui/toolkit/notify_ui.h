// Receivers a manager calls: notification listeners and message pre-filters.
// Win32 only (window messages). Thread: the window's thread.
#pragma once
#include <windows.h>

#include "ui/toolkit/notify_event.h"

namespace Vellum {

class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(NotifyEvent& msg) = 0;
};

class IMessageFilterUI {
 public:
  virtual ~IMessageFilterUI() = default;
  // Sees every message before the manager does; setting handled consumes it and
  // the returned value becomes the message's result.
  virtual LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
};

}  // namespace Vellum
