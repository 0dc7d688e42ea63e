#include "ui/toolkit/edit_wnd.h"

#include <string>

#include "ui/toolkit/edit_ui.h"

namespace Vellum {

CEditWnd::CEditWnd(HWND parent, CEditUI* edit, HFONT font) : edit_(edit) {
  const Rect& pos = edit->GetPos();
  const Rect& pad = edit->GetTextPadding();
  DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (edit->IsReadOnly() ? ES_READONLY : 0);
  int height = pos.Height() - pad.top - pad.bottom;
  // A single-line edit draws its text at the top; centre its box on the field.
  int lineHeight = 20;
  int top = pos.top + pad.top + (height > lineHeight ? (height - lineHeight) / 2 : 0);
  hwnd_ = ::CreateWindowExW(0, L"EDIT", edit->GetText().c_str(), style, pos.left + pad.left, top,
                            pos.Width() - pad.left - pad.right, height > lineHeight ? lineHeight : height, parent,
                            nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ::SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(edit->GetMaxChar()), 0);
  ::SendMessageW(hwnd_, EM_SETSEL, 0, -1);
  ::SetFocus(hwnd_);
}

CEditWnd::~CEditWnd() {
  if (hwnd_) {
    SyncText();
    ::DestroyWindow(hwnd_);
  }
}

void CEditWnd::SyncText() {
  if (!hwnd_) return;
  int n = ::GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = ::GetWindowTextW(hwnd_, &text[0], n + 1);
  text.resize(static_cast<size_t>(n < 0 ? 0 : n));
  edit_->SetText(text);
}

}  // namespace Vellum
