// The native edit window hosted over a CEditUI while it has the focus: it
// shows the field's text in the field's font, copies every change back into
// the control, and goes away when the focus leaves.
//
// Owner: the window's manager. Thread: the window's thread.
#pragma once
#include <windows.h>

namespace Vellum {

class CEditUI;

class CEditWnd {
 public:
  // Creates the child edit over the field's text area and focuses it.
  CEditWnd(HWND parent, CEditUI* edit, HFONT font);
  ~CEditWnd();
  CEditWnd(const CEditWnd&) = delete;
  CEditWnd& operator=(const CEditWnd&) = delete;

  HWND GetHWND() const { return hwnd_; }
  CEditUI* GetOwner() const { return edit_; }
  // Copies the native text into the field (after EN_CHANGE).
  void SyncText();

 private:
  HWND hwnd_ = nullptr;
  CEditUI* edit_;
};

}  // namespace Vellum
