#include "ui/toolkit/ui_manager.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/toolkit/button_ui.h"
#include "ui/toolkit/check_box_ui.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/dib_section.h"
#include "ui/toolkit/control_tree.h"
#include "ui/toolkit/edit_ui.h"
#include "ui/toolkit/edit_wnd.h"
#include "ui/toolkit/layout_engine.h"
#include "ui/toolkit/option_ui.h"
#include "ui/toolkit/skin_resource.h"

namespace Vellum {

namespace {

// Managers of live windows, so the message loop can route a hosted child's
// keyboard messages to its window's pre-filters.
std::vector<CUIManager*>& LiveManagers() {
  static std::vector<CUIManager*> managers;
  return managers;
}

bool IsActivatable(const CControlUI* c) { return dynamic_cast<const CButtonUI*>(c) != nullptr; }

CControlUI* FindAt(CControlUI* control, Point p) {
  if (!control->IsVisible() || !control->GetPos().Contains(p)) return nullptr;
  if (CContainerUI* container = control->AsContainer()) {
    for (int i = container->GetCount() - 1; i >= 0; --i) {
      if (CControlUI* hit = FindAt(container->GetItemAt(i), p)) return hit;
    }
  }
  return control;
}

// Whether the control and every container above it are visible: focus may
// stay on a button whose page was hidden.
bool IsShown(const CControlUI* control) {
  for (const CControlUI* c = control; c; c = c->GetParent()) {
    if (!c->IsVisible()) return false;
  }
  return true;
}

// Whether control still belongs to the tree (it may have been replaced).
bool InTree(const CControlUI* root, const CControlUI* control) {
  for (const CControlUI* c = control; c; c = c->GetParent()) {
    if (c == root) return true;
  }
  return false;
}

}  // namespace

CUIManager::CUIManager() : images_(std::make_unique<CImageCache>(nullptr)),
                           render_(std::make_unique<CRenderEngine>(images_.get())) {}

CUIManager::~CUIManager() {
  edit_.reset();
  // Controls stop their own timers as they go, so the tree goes while the timer book still exists.
  root_.reset();
  auto& live = LiveManagers();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  if (hwnd_ && ::IsWindow(hwnd_)) {
    for (uint32_t id : timers_.Clear()) ::KillTimer(hwnd_, id);
  }
  if (backDC_) {
    ::SelectObject(backDC_, backOld_);
    ::DeleteObject(backBitmap_);
    ::DeleteDC(backDC_);
  }
}

void CUIManager::SetInstance(HINSTANCE instance) { CSkinResource::SetInstance(instance); }
HINSTANCE CUIManager::GetInstance() { return CSkinResource::GetInstance(); }
std::wstring CUIManager::GetInstancePath() { return CSkinResource::GetInstancePath(); }

bool CUIManager::TranslateMessage(const MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
  for (CUIManager* m : LiveManagers()) {
    if (msg->hwnd != m->hwnd_ && ::IsChild(m->hwnd_, msg->hwnd)) {
      LRESULT result = 0;
      return m->PreMessageHandler(msg->message, msg->wParam, msg->lParam, result);
    }
  }
  return false;
}

void CUIManager::Init(HWND hwnd) {
  hwnd_ = hwnd;
  LiveManagers().push_back(this);
}

void CUIManager::SetArchive(const CSkinArchive* archive) {
  archive_ = archive;
  edit_.reset();
  images_ = std::make_unique<CImageCache>(archive);
  render_ = std::make_unique<CRenderEngine>(images_.get());
  render_->SetFonts(fonts_);
}

void CUIManager::AttachDialog(BuiltWindow built) {
  edit_.reset();
  for (uint32_t id : timers_.Clear()) ::KillTimer(hwnd_, id);
  hot_ = pushed_ = focus_ = nullptr;
  window_ = std::move(built.window);
  fonts_ = std::move(built.fonts);
  render_->SetFonts(fonts_);
  root_ = std::move(built.root);
  if (root_) {
    root_->SetHost(this);
    root_->DoInit();
  }
  needLayout_ = true;
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

CControlUI* CUIManager::FindControl(const std::wstring& name) const {
  return root_ ? FindControlByName(root_.get(), name) : nullptr;
}

CControlUI* CUIManager::FindControl(Point p) const { return root_ ? FindAt(root_.get(), p) : nullptr; }

Size CUIManager::GetTextSize(HDC dc, const std::wstring& text, int fontId, uint32_t style) const {
  return render_->MeasureText(dc, text, fontId, style);
}

// ---- painting and layout

void CUIManager::LayoutIfNeeded() {
  if (!needLayout_ || !root_) return;
  needLayout_ = false;
  RECT rc;
  ::GetClientRect(hwnd_, &rc);
  CLayoutEngine::Arrange(*root_, Rect{0, 0, rc.right, rc.bottom});
}

void CUIManager::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  RECT client;
  ::GetClientRect(hwnd_, &client);
  Size size{client.right, client.bottom};
  if (!backDC_ || size != backSize_) {
    if (backDC_) {
      ::SelectObject(backDC_, backOld_);
      ::DeleteObject(backBitmap_);
      ::DeleteDC(backDC_);
    }
    void* bits = nullptr;
    backDC_ = ::CreateCompatibleDC(dc);
    backBitmap_ = CreateTopDownDib(dc, std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1), &bits);
    backOld_ = ::SelectObject(backDC_, backBitmap_);
    backSize_ = size;
  }
  LayoutIfNeeded();
  const RECT& u = ps.rcPaint;
  Rect clip{u.left, u.top, u.right, u.bottom};
  HRGN region = ::CreateRectRgn(u.left, u.top, u.right, u.bottom);
  ::SelectClipRgn(backDC_, region);
  ::DeleteObject(region);
  CRenderEngine::FillColor(backDC_, clip, 0xFFFFFFFF);
  if (root_) render_->PaintTree(backDC_, *root_, clip);
  ::SelectClipRgn(backDC_, nullptr);
  ::BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, backDC_, u.left, u.top, SRCCOPY);
  ::EndPaint(hwnd_, &ps);
}

void CUIManager::Invalidate(CControlUI* control) {
  if (!hwnd_ || !control) return;
  const Rect& p = control->GetPos();
  RECT rc = {p.left, p.top, p.right, p.bottom};
  ::InvalidateRect(hwnd_, &rc, FALSE);
}

void CUIManager::NeedLayout(CControlUI*) {
  needLayout_ = true;
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---- focus and input

void CUIManager::SetFocus(CControlUI* control) {
  if (control == focus_) return;
  if (edit_ && edit_->GetOwner() != control) CloseEditWindow();
  CControlUI* old = focus_;
  focus_ = control;
  if (auto* b = dynamic_cast<CButtonUI*>(old)) b->SetButtonState(b->GetButtonState() & ~kStateFocused);
  if (auto* b = dynamic_cast<CButtonUI*>(focus_)) b->SetButtonState(b->GetButtonState() | kStateFocused);
  if (auto* edit = dynamic_cast<CEditUI*>(focus_)) {
    if (edit->IsVisible() && edit->IsEnabled()) ShowEditWindow(edit);
  } else if (hwnd_ && ::GetFocus() != hwnd_ && focus_) {
    ::SetFocus(hwnd_);
  }
}

void CUIManager::ShowEditWindow(CEditUI* edit) {
  LayoutIfNeeded();
  edit_ = std::make_unique<CEditWnd>(hwnd_, edit, render_->GetFont(edit->GetFont()));
}

void CUIManager::CloseEditWindow() {
  edit_.reset();
  if (hwnd_ && ::IsWindow(hwnd_)) ::SetFocus(hwnd_);
}

void CUIManager::SetHot(CControlUI* control) {
  if (control == hot_) return;
  if (auto* b = dynamic_cast<CButtonUI*>(hot_)) b->SetButtonState(b->GetButtonState() & ~kStateHot);
  hot_ = control;
  if (auto* b = dynamic_cast<CButtonUI*>(hot_)) {
    if (b->IsEnabled()) b->SetButtonState(b->GetButtonState() | kStateHot);
  }
}

void CUIManager::OnMouseMove(Point p) {
  mouse_ = p;
  if (!tracking_) {
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hwnd_, 0};
    tracking_ = ::TrackMouseEvent(&tme) != FALSE;
  }
  CControlUI* under = FindControl(p);
  if (pushed_) {
    // While pressed, only the pressed control can be hot, and only inside it.
    auto* b = dynamic_cast<CButtonUI*>(pushed_);
    bool inside = pushed_->GetPos().Contains(p);
    if (b) b->SetButtonState(inside ? (b->GetButtonState() | kStatePushed) : (b->GetButtonState() & ~kStatePushed));
    SetHot(inside ? pushed_ : nullptr);
    return;
  }
  SetHot(under && IsActivatable(under) ? under : nullptr);
}

void CUIManager::OnButtonDown(Point p) {
  mouse_ = p;
  CControlUI* under = FindControl(p);
  if (!under || !under->IsEnabled()) return;
  // Whatever is clicked takes the focus, so a click beside the edit ends the
  // hosted edit and Space no longer presses the button focused before.
  SetFocus(under);
  if (auto* b = dynamic_cast<CButtonUI*>(under)) {
    pushed_ = under;
    b->SetButtonState(b->GetButtonState() | kStatePushed);
    ::SetCapture(hwnd_);
  }
}

void CUIManager::OnButtonUp(Point p) {
  mouse_ = p;
  CControlUI* pressed = pushed_;
  pushed_ = nullptr;
  if (::GetCapture() == hwnd_) ::ReleaseCapture();
  if (!pressed || !InTree(root_.get(), pressed)) return;
  auto* b = dynamic_cast<CButtonUI*>(pressed);
  b->SetButtonState(b->GetButtonState() & ~kStatePushed);
  if (pressed->GetPos().Contains(p)) Activate(pressed);
  OnMouseMove(p);
}

void CUIManager::OnKeyDown(WPARAM key) {
  if ((key == VK_SPACE || key == VK_RETURN) && focus_ && IsActivatable(focus_)) Activate(focus_);
}

// "click" first, then the selection change of an option: the window sees the
// click of a check box before its new state is announced.
void CUIManager::Activate(CControlUI* control) {
  if (!control->IsEnabled() || !IsShown(control)) return;
  SendNotify(control, L"click", 0, 0);
  if (!InTree(root_.get(), control)) return;
  if (auto* check = dynamic_cast<CCheckBoxUI*>(control)) {
    check->Selected(!check->IsSelected(), true);
  } else if (auto* option = dynamic_cast<COptionUI*>(control)) {
    if (option->GetGroup().empty()) {
      option->Selected(!option->IsSelected(), true);
    } else {
      option->Selected(true, true);
    }
  }
}

// ---- timers

bool CUIManager::SetTimer(CControlUI* control, UINT id, UINT elapse) {
  if (!control || !hwnd_) return false;
  uint32_t nativeId = 0;
  switch (timers_.Start(control, id, &nativeId)) {
    case CControlTimers::StartResult::kAlreadyRunning:
      return true;
    case CControlTimers::StartResult::kNoNumber:
      return false;
    case CControlTimers::StartResult::kArmNew:
    case CControlTimers::StartResult::kRearm:
      // Number 0 (the counter wrapped) is a valid window timer, but the system
      // reports success as the number itself.
      return ::SetTimer(hwnd_, nativeId, elapse, nullptr) != 0 || nativeId == 0;
  }
  return false;
}

bool CUIManager::KillTimer(CControlUI* control, UINT id) {
  uint32_t nativeId = 0;
  if (!timers_.Stop(control, id, &nativeId)) return false;
  if (hwnd_) ::KillTimer(hwnd_, nativeId);
  return true;
}

bool CUIManager::OnTimer(UINT nativeId) {
  const TimerRecord* record = timers_.FindLive(nativeId);
  if (!record) return false;
  CControlUI* control = record->control;
  uint32_t id = record->id;
  control->OnTimer(id);
  SendNotify(control, L"timer", id, 0);
  return true;
}

// ---- notifications

void CUIManager::SendNotify(CControlUI* sender, const std::wstring& type, uint32_t wParam, uint32_t lParam) {
  NotifyEvent msg;
  msg.type = type;
  msg.sender = sender;
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotify(msg, false, true);
}

void CUIManager::SendNotify(NotifyEvent& msg, bool async, bool repeat) {
  msg.timestamp = ::GetTickCount();
  if (async) {
    // The mouse point belongs to the window thread: a queued copy gets it when
    // it is delivered there.
    if (queue_.Push(msg, repeat) && hwnd_) ::PostMessageW(hwnd_, kWakeMessage, 0, 0);
    return;
  }
  msg.mousePoint = mouse_;
  Deliver(msg);
}

void CUIManager::Deliver(NotifyEvent& msg) {
  // A receiver may unregister itself (or another) while being called.
  std::vector<INotifyUI*> receivers = notifiers_;
  for (INotifyUI* n : receivers) {
    if (std::find(notifiers_.begin(), notifiers_.end(), n) != notifiers_.end()) n->Notify(msg);
  }
}

void CUIManager::DrainQueue() {
  for (NotifyEvent& msg : queue_.Drain()) {
    msg.mousePoint = mouse_;
    Deliver(msg);
  }
}

void CUIManager::AddNotifier(INotifyUI* n) {
  if (std::find(notifiers_.begin(), notifiers_.end(), n) == notifiers_.end()) notifiers_.push_back(n);
}

void CUIManager::RemoveNotifier(INotifyUI* n) {
  notifiers_.erase(std::remove(notifiers_.begin(), notifiers_.end(), n), notifiers_.end());
}

void CUIManager::AddPreMessageFilter(IMessageFilterUI* f) {
  if (std::find(filters_.begin(), filters_.end(), f) == filters_.end()) filters_.push_back(f);
}

void CUIManager::RemovePreMessageFilter(IMessageFilterUI* f) {
  filters_.erase(std::remove(filters_.begin(), filters_.end(), f), filters_.end());
}

// ---- messages

bool CUIManager::PreMessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  std::vector<IMessageFilterUI*> filters = filters_;
  for (IMessageFilterUI* f : filters) {
    bool handled = false;
    LRESULT r = f->MessageHandler(msg, wParam, lParam, handled);
    if (handled) {
      result = r;
      return true;
    }
  }
  return false;
}

bool CUIManager::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!hwnd_) return false;
  if (PreMessageHandler(msg, wParam, lParam, result)) return true;
  Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  result = 0;
  switch (msg) {
    case WM_PAINT:
      Paint();
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SIZE:
      needLayout_ = true;
      ::InvalidateRect(hwnd_, nullptr, FALSE);
      return false;
    case WM_MOUSEMOVE:
      OnMouseMove(p);
      return true;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (!pushed_) SetHot(nullptr);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(p);
      return true;
    case WM_LBUTTONUP:
      OnButtonUp(p);
      return true;
    case WM_CAPTURECHANGED:
      if (pushed_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
        if (auto* b = dynamic_cast<CButtonUI*>(pushed_)) b->SetButtonState(b->GetButtonState() & ~kStatePushed);
        pushed_ = nullptr;
      }
      return false;
    case WM_KEYDOWN:
      OnKeyDown(wParam);
      return true;
    case WM_TIMER:
      // A number no live record holds is the window's own timer (or a stopped
      // one's last message): default processing sees it.
      return OnTimer(static_cast<UINT>(wParam));
    case WM_COMMAND:
      if (edit_ && reinterpret_cast<HWND>(lParam) == edit_->GetHWND()) {
        if (HIWORD(wParam) == EN_CHANGE) edit_->SyncText();
        // The edit cannot be destroyed inside its own notification.
        if (HIWORD(wParam) == EN_KILLFOCUS) ::PostMessageW(hwnd_, kCloseEditMessage, 0, 0);
        return true;
      }
      return false;
    case WM_CTLCOLOREDIT:
      if (edit_ && reinterpret_cast<HWND>(lParam) == edit_->GetHWND()) {
        // The hosted edit writes in the field's colour on a plain white ground.
        HDC dc = reinterpret_cast<HDC>(wParam);
        uint32_t color = edit_->GetOwner()->GetTextColor();
        ::SetTextColor(dc, RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF));
        ::SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
        result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        return true;
      }
      return false;
    case kCloseEditMessage:
      if (edit_ && ::GetFocus() != edit_->GetHWND()) {
        if (focus_ == edit_->GetOwner()) focus_ = nullptr;
        edit_.reset();
      }
      return true;
    case kWakeMessage:
      DrainQueue();
      return true;
    case WM_NCDESTROY:
      edit_.reset();
      for (uint32_t id : timers_.Clear()) ::KillTimer(hwnd_, id);
      queue_.Clear();
      return false;
    default:
      return false;
  }
}

}  // namespace Vellum
