// What a control needs from the window it is attached to: repaints, relayouts,
// focus and notifications. The window's manager implements it; a control that
// is not attached (while the markup is being built) has no host and changes
// only its own data.
#pragma once
#include <cstdint>
#include <string>

namespace Vellum {

class CControlUI;

class IControlHost {
 public:
  virtual ~IControlHost() = default;
  // The control's area must be painted again.
  virtual void Invalidate(CControlUI* control) = 0;
  // The control's size or visibility changed: its parent must lay out again.
  virtual void NeedLayout(CControlUI* control) = 0;
  virtual void SetFocus(CControlUI* control) = 0;
  virtual CControlUI* GetFocus() const = 0;
  // Raises a notification synchronously (timestamp and mouse point filled by the host).
  virtual void SendNotify(CControlUI* sender, const std::wstring& type, uint32_t wParam, uint32_t lParam) = 0;
  // Control timers: a repeating timer for (control, id) whose ticks reach the
  // control's OnTimer; starting a running one keeps it, stopping a missing one
  // does nothing. A host without timers refuses (false).
  virtual bool SetTimer(CControlUI* /*control*/, uint32_t /*id*/, uint32_t /*elapseMs*/) { return false; }
  virtual bool KillTimer(CControlUI* /*control*/, uint32_t /*id*/) { return false; }
};

}  // namespace Vellum
