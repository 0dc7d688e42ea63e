// The installer's small skinned dialog (360 x 180): one class for the five
// dialog files, whose markup decides the look, the fixed texts and which of
// the two answer buttons exist.
//
// Owner: the function that shows it (a local object, ShowPrompt). Thread: the
// main thread.
#pragma once
#include <string>

#include "ui/toolkit/skin_frame.h"

namespace Vellum {

class CMessageBoxWnd : public CSkinFrame {
 public:
  // Answers: "okBtn" 0, "cancelBtn" 1, any other button (the close box) 2; a
  // dialog closed without a button keeps 1.
  enum Result { kOk = 0, kCancel = 1, kOther = 2 };

  // skinFile: the dialog file in the skin package ("MessageBox1Wnd.xml", ...);
  // the native class is its name up to the last ".".
  explicit CMessageBoxWnd(const std::wstring& skinFile);

  int GetResult() const { return result_; }
  // The controls the file defines, or nullptr.
  CControlUI* GetOkButton() const { return okBtn_; }
  CControlUI* GetCancelButton() const { return cancelBtn_; }
  CControlUI* GetTextLabel() const { return textLbl_; }
  CControlUI* GetCaptionLabel() const { return captionLbl_; }

  // The class name a dialog file gives its window ("ExitTipWnd.xml" -> "ExitTipWnd").
  static std::wstring ClassNameOf(const std::wstring& skinFile);

 protected:
  void InitWindow() override;
  void OnClick(NotifyEvent& msg) override;

 private:
  int result_ = kCancel;
  CControlUI* okBtn_ = nullptr;
  CControlUI* cancelBtn_ = nullptr;
  CControlUI* textLbl_ = nullptr;
  CControlUI* captionLbl_ = nullptr;
};

}  // namespace Vellum
