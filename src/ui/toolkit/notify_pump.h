// The notification map of a window: handlers by notification type, and named
// sub-handlers ("virtual windows") that see the events addressed to them. The
// window base registers its click handler here; derived windows may add their
// own. Owner: the window object (sub-handlers are not owned). Thread: the
// window's thread.
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
  // Events whose virtual window is name go to pump instead of this map; false
  // when the name is empty or already taken. pump must outlive its entry.
  bool AddVirtualWnd(const std::wstring& name, CNotifyPump* pump) {
    if (name.empty() || !pump) return false;
    return virtualWindows_.emplace(name, pump).second;
  }
  bool RemoveVirtualWnd(const std::wstring& name) { return virtualWindows_.erase(name) > 0; }
  // Calls the handler of msg.type (of the named sub-handler when the event has a
  // virtual window); false when there is none.
  bool LoopDispatch(NotifyEvent& msg) {
    if (!msg.virtualWindow.empty()) {
      auto sub = virtualWindows_.find(msg.virtualWindow);
      return sub != virtualWindows_.end() && sub->second->Dispatch(msg);
    }
    return Dispatch(msg);
  }

 private:
  bool Dispatch(NotifyEvent& msg) {
    auto it = handlers_.find(msg.type);
    if (it == handlers_.end()) return false;
    it->second(msg);
    return true;
  }

  std::map<std::wstring, Handler> handlers_;
  std::map<std::wstring, CNotifyPump*> virtualWindows_;
};

}  // namespace Vellum
