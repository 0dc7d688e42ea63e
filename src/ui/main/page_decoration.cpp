#include "ui/main/page_decoration.h"

namespace MainWindow {

PageDecoration DecorationForPage(int page) {
  PageDecoration d{};
  d.showTitleGroup = page != kPageInstalling;
  d.showInstallLogo = page == kPageInstalling;
  d.showBackButton = page == kPageCustom;
  d.titlePage = -1;
  switch (page) {
    case kPageWelcome:
    case kPageCustom:
      d.background = page == kPageWelcome ? L"res\\mainWnd\\bg1.png" : L"res\\mainWnd\\bg2.png";
      d.stopSlideTimers = true;
      d.titlePage = 1;
      break;
    case kPageInstalling:
      d.background = L"res\\mainWnd\\bg3.png";
      d.startProgressAnimation = true;
      break;
    case kPageFinished:
      d.background = L"res\\mainWnd\\bg4.png";
      d.titlePage = 2;
      d.stopProgressAnimation = true;
      d.startFinishedAnimation = true;
      break;
    default:
      d.background = L"res\\mainWnd\\bg1.png";
      d.titlePage = 0;
      break;
  }
  return d;
}

const wchar_t* SlideBackground(int position) {
  static const wchar_t* const kSlides[] = {L"res\\mainWnd\\ab1.png", L"res\\mainWnd\\ab2.png",
                                           L"res\\mainWnd\\ab3.png", L"res\\mainWnd\\bg3.png"};
  const int remainder = position % 4;
  if (remainder < 0) return nullptr;
  return kSlides[remainder];
}

}  // namespace MainWindow
