// A native window owned by a C++ object: class registration, creation, the
// modal loop, centring, closing with a code and the icon. Derived classes
// handle messages in HandleMessage.
//
// Owner: whoever constructs it (the native window is destroyed with the object
// if it still exists). Thread: the thread that creates it.
#pragma once
#include <windows.h>

namespace Vellum {

class CWindowWnd {
 public:
  CWindowWnd() = default;
  virtual ~CWindowWnd();
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  HWND GetHWND() const { return hwnd_; }
  operator HWND() const { return hwnd_; }

  // Registers the class on first use and creates the window; the create
  // message runs before this returns. nullptr on failure.
  HWND Create(HWND owner, LPCWSTR title, DWORD style, DWORD exStyle, int x = CW_USEDEFAULT,
              int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT);
  // Centres on the owner, or on the nearest monitor's work area without one,
  // kept inside that work area.
  void CenterWindow();
  // Shows the window, disables the owner and pumps messages until the window is
  // gone (a quit message ends the loop too and is posted again). Returns the
  // wParam of the last close message the window received.
  UINT ShowModal();
  // Posts a close message carrying the code, if the window still exists.
  void Close(UINT code = IDOK);
  void ShowWindow(bool show = true, bool takeFocus = true);
  // Loads icon resource number res at the large and small system sizes and
  // sets both; the object keeps the icons until it is destroyed or the next call.
  void SetIcon(UINT res);
  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

 protected:
  virtual LPCWSTR GetWindowClassName() const = 0;
  virtual UINT GetClassStyle() const { return CS_DBLCLKS; }
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // After the native window is gone (WM_NCDESTROY).
  virtual void OnFinalMessage(HWND) {}
  // Stops delivering the native window's messages to this object (it is being
  // destroyed); the window itself goes when the object does.
  void DetachMessages();

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool RegisterWindowClass();

  void FreeIcons();

  HWND hwnd_ = nullptr;
  UINT lastCloseCode_ = 0;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
};

}  // namespace Vellum
