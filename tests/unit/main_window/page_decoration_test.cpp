#include <gtest/gtest.h>

#include <string>

#include "ui/main/page_decoration.h"

namespace {

using namespace MainWindow;

TEST(PageDecoration, EachPageDressesTheWindow) {
  struct Row {
    int page;
    std::wstring background;
    int titlePage;
    bool stopSlides, startProgress, stopProgress, startFinished, titleGroup, logo, back;
  };
  const Row rows[] = {
      {0, L"res\\mainWnd\\bg1.png", 1, true, false, false, false, true, false, false},
      {1, L"res\\mainWnd\\bg2.png", 1, true, false, false, false, true, false, true},
      {2, L"res\\mainWnd\\bg3.png", -1, false, true, false, false, false, true, false},
      {3, L"res\\mainWnd\\bg4.png", 2, false, false, true, true, true, false, false},
      {4, L"res\\mainWnd\\bg1.png", 0, false, false, false, false, true, false, false},
      {-1, L"res\\mainWnd\\bg1.png", 0, false, false, false, false, true, false, false},
  };
  for (const Row& r : rows) {
    const PageDecoration d = DecorationForPage(r.page);
    SCOPED_TRACE(r.page);
    EXPECT_EQ(d.background, r.background);
    EXPECT_EQ(d.titlePage, r.titlePage);
    EXPECT_EQ(d.stopSlideTimers, r.stopSlides);
    EXPECT_EQ(d.startProgressAnimation, r.startProgress);
    EXPECT_EQ(d.stopProgressAnimation, r.stopProgress);
    EXPECT_EQ(d.startFinishedAnimation, r.startFinished);
    EXPECT_EQ(d.showTitleGroup, r.titleGroup);
    EXPECT_EQ(d.showInstallLogo, r.logo);
    EXPECT_EQ(d.showBackButton, r.back);
  }
}

TEST(PageDecoration, SlideBackgroundsCycleAndNegativeRemaindersLeaveIt) {
  const struct {
    int position;
    const wchar_t* expected;
  } rows[] = {
      {127, L"res\\mainWnd\\bg3.png"}, {128, L"res\\mainWnd\\ab1.png"}, {129, L"res\\mainWnd\\ab2.png"},
      {130, L"res\\mainWnd\\ab3.png"}, {0, L"res\\mainWnd\\ab1.png"},   {-4, L"res\\mainWnd\\ab1.png"},
      {-1, nullptr},                   {-3, nullptr},
  };
  for (const auto& r : rows) {
    const wchar_t* got = SlideBackground(r.position);
    if (r.expected == nullptr) {
      EXPECT_EQ(got, nullptr) << r.position;
    } else {
      ASSERT_NE(got, nullptr) << r.position;
      EXPECT_EQ(std::wstring(got), r.expected) << r.position;
    }
  }
}

}  // namespace
