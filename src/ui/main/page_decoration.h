// How each page of "mainTabLt" dresses the window: the background of "winCtn",
// the title page, which animations run and which title controls show.
// Pure functions; any thread.
#pragma once

namespace MainWindow {

enum Page : int { kPageWelcome = 0, kPageCustom = 1, kPageInstalling = 2, kPageFinished = 3 };

struct PageDecoration {
  const wchar_t* background;      // image of "winCtn"
  int titlePage;                  // page of "titleTabLt" to select, or -1 to leave it
  bool stopSlideTimers;
  bool startProgressAnimation;    // "progressAnLb"
  bool stopProgressAnimation;     // its frame timer
  bool startFinishedAnimation;    // "finishedLbl"
  bool showTitleGroup;            // "titleGrpCtn" (minimise and close)
  bool showInstallLogo;           // "installLogo"
  bool showBackButton;            // "backBtn"
};

PageDecoration DecorationForPage(int page);

// The slide show: timer 4396 on "winCtn", every 10 s.
constexpr int kSlideTimerId = 4396;
constexpr unsigned kSlidePeriodMs = 10000;
constexpr int kFirstSlidePosition = 127;
// The background for a slide position; nullptr (leave it) for a negative remainder.
const wchar_t* SlideBackground(int position);

// The frame timer of a sequence label.
constexpr int kSequenceFrameTimerId = 2100;

}  // namespace MainWindow
