// The manager of one window's controls: it owns the tree, lays it out, paints
// it into a back buffer, turns mouse and keyboard messages into state changes
// and notifications, keeps the control timers and the asynchronous queue, and
// hosts the native edit window while an edit has the focus.
//
// Owner: the window object. Thread: the window's thread, except
// SendNotify(..., async = true), which any thread may call while the window
// exists.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/toolkit/control_host.h"
#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/control_timers.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/image_cache.h"
#include "ui/toolkit/notify_queue.h"
#include "ui/toolkit/notify_ui.h"
#include "ui/toolkit/render_engine.h"

namespace Vellum {

class CEditWnd;
class CEditUI;

class CUIManager : public IControlHost {
 public:
  // The private message that wakes the window to drain its asynchronous queue.
  static constexpr UINT kWakeMessage = WM_APP + 0x3F00;
  // The private message that removes the hosted edit once it lost the focus.
  static constexpr UINT kCloseEditMessage = WM_APP + 0x3F01;

  CUIManager();
  ~CUIManager() override;
  CUIManager(const CUIManager&) = delete;
  CUIManager& operator=(const CUIManager&) = delete;

  // Process-wide set-up (see skin_resource.h).
  static void SetInstance(HINSTANCE instance);
  static HINSTANCE GetInstance();
  static std::wstring GetInstancePath();
  // Runs the pre-filters of the manager that owns a child window (the hosted
  // edit) for its keyboard messages; true when one consumed the message.
  static bool TranslateMessage(const MSG* msg);

  void Init(HWND hwnd);
  HWND GetPaintWindow() const { return hwnd_; }
  // Takes the built tree, its fonts and window attributes; attaches the tree.
  void AttachDialog(BuiltWindow built);
  CControlUI* GetRoot() const { return root_.get(); }
  CControlUI* FindControl(const std::wstring& name) const;
  // The topmost visible control at a client point, or nullptr.
  CControlUI* FindControl(Point p) const;
  const WindowAttributes& GetWindowAttributes() const { return window_; }
  const std::wstring* GetCustomAttribute(const std::wstring& name) const { return window_.Custom(name); }
  const std::wstring& GetResourcePath() const { return resourcePath_; }
  void SetResourcePath(const std::wstring& path) { resourcePath_ = path; }
  const CSkinArchive* GetArchive() const { return archive_; }
  void SetArchive(const CSkinArchive* archive);
  Size GetTextSize(HDC dc, const std::wstring& text, int fontId, uint32_t style) const;
  CRenderEngine& GetRenderEngine() { return *render_; }

  // Control timers (see control_timers.h for the numbering).
  bool SetTimer(CControlUI* control, UINT id, UINT elapse);
  bool KillTimer(CControlUI* control, UINT id);
  const CControlTimers& GetTimers() const { return timers_; }

  // Fills in the timestamp and the mouse point. Synchronous: delivers at once to
  // every registered receiver. Asynchronous: queues a copy (merged with a queued
  // one of the same type and sender unless repeat) and delivers it on the window
  // thread, in order, after the wake-up message; its mouse point is the one
  // known when it is delivered (the caller's thread cannot read it safely).
  void SendNotify(NotifyEvent& msg, bool async = false, bool repeat = true);
  void AddNotifier(INotifyUI* notifier);
  void RemoveNotifier(INotifyUI* notifier);
  void AddPreMessageFilter(IMessageFilterUI* filter);
  void RemovePreMessageFilter(IMessageFilterUI* filter);

  // The pre-filters; true when one consumed the message.
  bool PreMessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The manager's own handling; true when it answered the message.
  bool MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // IControlHost
  void Invalidate(CControlUI* control) override;
  void NeedLayout(CControlUI* control) override;
  void SetFocus(CControlUI* control) override;
  CControlUI* GetFocus() const override { return focus_; }
  void SendNotify(CControlUI* sender, const std::wstring& type, uint32_t wParam, uint32_t lParam) override;

 private:
  void Paint();
  void LayoutIfNeeded();
  void OnMouseMove(Point p);
  void OnButtonDown(Point p);
  void OnButtonUp(Point p);
  void OnKeyDown(WPARAM key);
  void Activate(CControlUI* control);
  void SetHot(CControlUI* control);
  bool OnTimer(UINT nativeId);
  void Deliver(NotifyEvent& msg);
  void DrainQueue();
  void ShowEditWindow(CEditUI* edit);
  void CloseEditWindow();

  HWND hwnd_ = nullptr;
  std::unique_ptr<CControlUI> root_;
  WindowAttributes window_;
  CFontTable fonts_;
  const CSkinArchive* archive_ = nullptr;
  std::unique_ptr<CImageCache> images_;
  std::unique_ptr<CRenderEngine> render_;
  std::wstring resourcePath_;
  bool needLayout_ = true;

  HDC backDC_ = nullptr;
  HBITMAP backBitmap_ = nullptr;
  HGDIOBJ backOld_ = nullptr;
  Size backSize_;

  CControlUI* hot_ = nullptr;
  CControlUI* pushed_ = nullptr;
  CControlUI* focus_ = nullptr;
  Point mouse_;
  bool tracking_ = false;
  std::unique_ptr<CEditWnd> edit_;

  CControlTimers timers_;
  CNotifyQueue queue_;
  std::vector<INotifyUI*> notifiers_;
  std::vector<IMessageFilterUI*> filters_;
};

}  // namespace Vellum
