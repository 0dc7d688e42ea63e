#include "ui/message_box_wnd.h"

namespace Vellum {

namespace {
FrameParams DialogFrame(const std::wstring& skinFile) {
  FrameParams p;
  p.resourceKind = kResourceZipInResource;
  p.resourceId = 147;
  p.skinFile = skinFile;
  p.windowClassName = CMessageBoxWnd::ClassNameOf(skinFile);
  return p;
}
}  // namespace

CMessageBoxWnd::CMessageBoxWnd(const std::wstring& skinFile) : CSkinFrame(DialogFrame(skinFile)) {}

std::wstring CMessageBoxWnd::ClassNameOf(const std::wstring& skinFile) {
  size_t dot = skinFile.rfind(L'.');
  return dot == std::wstring::npos ? skinFile : skinFile.substr(0, dot);
}

void CMessageBoxWnd::InitWindow() {
  CSkinFrame::InitWindow();
  ApplyInstallerWindowStyles();
  okBtn_ = manager_.FindControl(L"okBtn");
  cancelBtn_ = manager_.FindControl(L"cancelBtn");
  textLbl_ = manager_.FindControl(L"textLbl");
  captionLbl_ = manager_.FindControl(L"captionLbl");
}

void CMessageBoxWnd::OnClick(NotifyEvent& msg) {
  if (msg.sender && msg.sender == okBtn_) {
    Close(1);
    result_ = kOk;
  } else if (msg.sender && msg.sender == cancelBtn_) {
    Close(1);
    result_ = kCancel;
  } else {
    CSkinFrame::OnClick(msg);
    result_ = kOther;
  }
}

}  // namespace Vellum
