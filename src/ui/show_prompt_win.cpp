#include "ui/show_prompt.h"

#include "ui/message_box_wnd.h"

namespace Vellum {

int ShowPrompt(HWND owner, const std::wstring& skinFile, const wchar_t* text, const wchar_t* caption) {
  CMessageBoxWnd dialog(skinFile);
  if (!dialog.Create(owner, L"消息框", 0x10CF0000, 0)) return dialog.GetResult();
  if (text && dialog.GetTextLabel()) dialog.GetTextLabel()->SetText(text);
  if (caption && dialog.GetCaptionLabel()) dialog.GetCaptionLabel()->SetText(caption);
  dialog.CenterWindow();
  dialog.ShowModal();
  return dialog.GetResult();
}

}  // namespace Vellum
