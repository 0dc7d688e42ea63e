#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ui/main/install_progress.h"

namespace {

using namespace MainWindow;

// The percent the bar shows after each status of one run, DownloadScale 0.5.
TEST(ProgressArithmetic, HalfScaleRunShowsTheDocumentedPercents) {
  struct Step {
    bool download;  // 1002, else 2002
    double value;
    int expected;
  };
  const std::vector<Step> steps = {
      {true, 0.0, 0},   {true, 0.5, 25},  {true, 1.0, 50},
      {false, 0.0, 57},  // first package line: fraction 0.15
      {false, 0.0, 65}, {false, 0.0, 72}, {false, 0.0, 80}, {false, 0.0, 87}, {false, 0.0, 95},
      {false, 0.0, 97},  // seventh line: the fraction stops at 0.95
      {false, 0.0, 97}, {false, 0.5, 97},  // a value below the fraction does not pull it back
      {false, 0.99, 99}, {false, 1.0, 100},
  };
  double fraction = 0.0;
  for (size_t i = 0; i < steps.size(); ++i) {
    int percent;
    if (steps[i].download) {
      percent = DownloadPercent(steps[i].value, 0.5);
    } else {
      fraction = NextInstallFraction(fraction, steps[i].value);
      percent = InstallPercent(fraction, 0.5);
    }
    EXPECT_EQ(percent, steps[i].expected) << "step " << i;
  }
}

TEST(ProgressArithmetic, ExactDocumentedValues) {
  EXPECT_EQ(DownloadPercent(0.5, 0.5), 25);
  EXPECT_DOUBLE_EQ(NextInstallFraction(0.0, 0.0), 0.15);
  EXPECT_EQ(InstallPercent(0.15, 0.5), 57);
  double fraction = 0.0;
  for (int line = 0; line < 7; ++line) fraction = NextInstallFraction(fraction, 0.0);
  EXPECT_DOUBLE_EQ(fraction, 0.95);
  EXPECT_EQ(InstallPercent(fraction, 0.5), 97);
  EXPECT_DOUBLE_EQ(NextInstallFraction(0.95, 0.97), 0.97);
}

TEST(ProgressArithmetic, OtherScalesAndOutOfRangeValues) {
  struct Case {
    double scale, downloadValue;
    int download;
    double fraction;
    int install;
  };
  const Case cases[] = {
      {0.7, 1.0, 70, 0.15, 74},  // 0.3 x 0.15 + 0.7 = 0.745
      {1.0, 0.42, 42, 0.5, 100},
      {0.0, 1.0, 0, 0.5, 50},
      {0.5, 7.0, 100, 3.0, 100},  // a value past 1 never shows more than 100
      {0.5, -1.0, 0, -2.0, 0},
      {0.5, std::numeric_limits<double>::quiet_NaN(), 0, 0.0, 50},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DownloadPercent(c.downloadValue, c.scale), c.download) << c.scale << " " << c.downloadValue;
    EXPECT_EQ(InstallPercent(c.fraction, c.scale), c.install) << c.scale << " " << c.fraction;
  }
}

TEST(PercentText, ThreeWordingsAndTheirSwitchAfterSixtySeconds) {
  struct Case {
    std::wstring skin;
    float seconds;
    int percent;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"", 0.0f, 25, L"正在安装中:25%，请稍候..."},
      {L"", 60.0f, 25, L"正在安装中:25%，请稍候..."},  // exactly 60 s is not "more than"
      {L"", 60.5f, 57, L"正在安装中:57%，请耐心等待..."},
      {L"进度 %d%%", 0.0f, 97, L"进度 97%"},
      {L"进度 %d%%", 600.0f, 97, L"进度 97%"},  // the skin's wording wins at any time
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatPercent(PercentFormat(c.skin, c.seconds), c.percent), c.expected);
  }
}

TEST(PercentText, SkinFormatCannotReachBeyondItsNumberOrTheBuffer) {
  EXPECT_EQ(FormatPercent(L"%s %ls %d %d %x %", 5), L"%s %ls 5 %d %x %");
  EXPECT_EQ(FormatPercent(L"no number", 5), L"no number");
  const std::wstring longFormat(400, L'x');
  const std::wstring text = FormatPercent(longFormat + L"%d", 42);
  EXPECT_EQ(text.size(), kPercentTextCapacity - 1);
  EXPECT_EQ(text, std::wstring(kPercentTextCapacity - 1, L'x'));
  EXPECT_EQ(ResetProgressText(), L"正在安装中:0%，请稍候...");
}

TEST(StatusValues, TruncationIsClampedToTheTargetRange) {
  EXPECT_EQ(TruncateToInt(2.9), 2);
  EXPECT_EQ(TruncateToInt(-2.9), -2);
  EXPECT_EQ(TruncateToInt(1e20), std::numeric_limits<int>::max());
  EXPECT_EQ(TruncateToInt(std::nan("")), 0);
  EXPECT_EQ(TruncateToUnsigned(3000.7), 3000u);
  EXPECT_EQ(TruncateToUnsigned(4294967295.0), 0xFFFFFFFFu);
  EXPECT_EQ(TruncateToUnsigned(1e12), 0xFFFFFFFFu);
  EXPECT_EQ(TruncateToUnsigned(-5.0), 0u);
  EXPECT_EQ(TruncateToLong(-28.0), -28L);
}

}  // namespace
