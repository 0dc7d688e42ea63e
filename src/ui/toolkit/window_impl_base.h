// The base of every skinned window: a frameless native window whose create
// message builds the control tree from the skin archive, whose messages go to
// its manager, and whose notifications reach Notify and then the notification
// map (the click handler for "click").
//
// Owner: whoever constructs it. Thread: the thread that creates it.
#pragma once
#include <memory>
#include <string>

#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/dialog_builder_callback.h"
#include "ui/toolkit/notify_pump.h"
#include "ui/toolkit/notify_ui.h"
#include "ui/toolkit/ui_manager.h"
#include "ui/toolkit/window_wnd.h"

namespace Vellum {

// Where a window's skin comes from.
enum ResourceKind { kResourceFile = 1, kResourceZip = 2, kResourceZipInResource = 4 };

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
 public:
  WindowImplBase();
  // Detaches the native window first: destroying the manager (and the hosted
  // edit) makes the system send messages that must not reach a half-destroyed
  // window object.
  ~WindowImplBase() override;

  CUIManager& GetManager() { return manager_; }

  // INotifyUI: the window's own handling; the base dispatches through the map.
  void Notify(NotifyEvent& msg) override;
  // IMessageFilterUI: Return does nothing (not consumed); Escape closes with 1.
  LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  // IDialogBuilderCallback: no custom controls by default.
  std::unique_ptr<CControlUI> CreateControl(const std::wstring& className) override;

 protected:
  virtual std::wstring GetSkinFolder() const = 0;
  virtual std::wstring GetSkinFile() const = 0;
  virtual int GetResourceType() const { return kResourceZipInResource; }
  virtual UINT GetResourceID() const { return 0; }
  // The window-ready hook: the tree is attached and the window registered.
  virtual void InitWindow() {}
  // "closebtn" closes with code 1; "minbtn", "maxbtn", "restorebtn" send the
  // system commands.
  virtual void OnClick(NotifyEvent& msg);
  // Messages the window wants before the manager; set handled to consume.
  virtual LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;

  virtual LRESULT OnCreate(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnGetMinMaxInfo(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

  CUIManager manager_;
};

}  // namespace Vellum
