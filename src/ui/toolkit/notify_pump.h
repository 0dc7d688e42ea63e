// The notification map of a window: handlers by notification type. The window
// base registers its click handler here; derived windows may add their own.
// Thread: the window's thread.
#pragma once
#include <functional>
#include <map>
#include <string>

#include "ui/toolkit/notify_event.h"

namespace Vellum {

class CNotifyPump {
 public:
  using Handler = std::function<void(NotifyEvent&)>;
  virtual ~CNotifyPump() = default;
  // A later handler for the same type replaces the earlier one.
  void AddNotifyHandler(const std::wstring& type, Handler handler) { handlers_[type] = std::move(handler); }
  // Calls the handler of msg.type; false when the map has none.
  bool LoopDispatch(NotifyEvent& msg) {
    auto it = handlers_.find(msg.type);
    if (it == handlers_.end()) return false;
    it->second(msg);
    return true;
  }

 private:
  std::map<std::wstring, Handler> handlers_;
};

}  // namespace Vellum
