// Every question and notice of the installer: one call shows a dialog file
// modally over its owner and answers with the number the dialog chose.
#pragma once
#include <windows.h>

#include <string>

namespace Vellum {

// Shows skinFile ("MessageBox1Wnd.xml", "MessageBox2Wnd.xml",
// "InstalledPathTipWnd.xml", "ExitTipWnd.xml", "NetworkTipWnd.xml") owned by
// owner, titled "消息框", centred on the owner, with text and caption (each may
// be null; ignored by a file without "textLbl" / "captionLbl"). Blocks in a
// nested modal loop on the calling (main) thread, which keeps dispatching the
// owner's posted messages; the owner is disabled meanwhile and re-enabled and
// refocused afterwards. Returns 0 ("okBtn"), 1 ("cancelBtn", or closed without
// a button) or 2 (the close box).
int ShowPrompt(HWND owner, const std::wstring& skinFile, const wchar_t* text, const wchar_t* caption);

}  // namespace Vellum
