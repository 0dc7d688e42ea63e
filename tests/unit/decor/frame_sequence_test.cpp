// The frames a sequence shows tick by tick, for every mode, and the frame
// file names its pattern gives.
#include "ui/frame_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Vellum::FormatFrameName;
using Vellum::FrameSequenceState;
using Vellum::StepFrameSequence;

struct SequenceCase {
  const char* label;
  int32_t count;
  bool loop;
  bool roundTrip;
  int ticks;
  std::vector<uint32_t> shown;  // frames shown, in order, until the stop (if any)
  bool stops;                   // the tick after the last shown frame ends the sequence
};

// Runs ticks until the sequence stops or the tick budget is spent.
void RunTicks(const SequenceCase& c, std::vector<uint32_t>* shown, bool* stopped) {
  FrameSequenceState state;
  *stopped = false;
  for (int i = 0; i < c.ticks; ++i) {
    Vellum::FrameStep step = StepFrameSequence(state, c.count, c.loop, c.roundTrip);
    if (step.stop) {
      EXPECT_FALSE(step.show) << c.label;
      *stopped = true;
      return;
    }
    ASSERT_TRUE(step.show) << c.label;
    shown->push_back(step.frame);
  }
}

TEST(FrameSequence, EveryModeShowsItsFramesAndStopsWhereItShould) {
  const SequenceCase cases[] = {
      {"count 3, loop", 3, true, false, 8, {0, 1, 2, 0, 1, 2, 0, 1}, false},
      {"count 3, no loop", 3, false, false, 8, {0, 1, 2}, true},
      {"count 3, round trip, loop", 3, true, true, 10, {0, 1, 2, 1, 0, 1, 2, 1, 0, 1}, false},
      {"count 3, round trip, no loop", 3, false, true, 10, {0, 1, 2, 1}, true},
      {"count 1, loop", 1, true, false, 5, {0, 0, 0, 0, 0}, false},
      {"count 1, no loop", 1, false, false, 5, {0}, true},
  };
  for (const SequenceCase& c : cases) {
    std::vector<uint32_t> shown;
    bool stopped = false;
    RunTicks(c, &shown, &stopped);
    EXPECT_EQ(shown, c.shown) << c.label;
    EXPECT_EQ(stopped, c.stops) << c.label;
  }
}

TEST(FrameSequence, AStoppedSequenceKeepsItsLastFrameAndRestartsFromItsState) {
  // No loop: the stop leaves the index at 0 and forward, so a new tick starts over.
  FrameSequenceState state;
  for (int i = 0; i < 3; ++i) StepFrameSequence(state, 3, false, false);
  EXPECT_TRUE(StepFrameSequence(state, 3, false, false).stop);
  EXPECT_EQ(state.index, 0u);
  EXPECT_TRUE(state.forward);
  Vellum::FrameStep again = StepFrameSequence(state, 3, false, false);
  EXPECT_TRUE(again.show);
  EXPECT_EQ(again.frame, 0u);
}

TEST(FrameSequence, ComparisonsAreUnsigned) {
  // Count 0: count - 1 is the largest index, so the sequence never wraps.
  FrameSequenceState state;
  for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(StepFrameSequence(state, 0, true, false).frame, i);
  // A one-frame round trip turns back to index count - 2 = "-1" and walks down.
  FrameSequenceState round;
  EXPECT_EQ(StepFrameSequence(round, 1, true, true).frame, 0u);
  Vellum::FrameStep below = StepFrameSequence(round, 1, true, true);
  EXPECT_TRUE(below.show);
  EXPECT_EQ(below.frame, 0xFFFFFFFFu);
  EXPECT_FALSE(round.forward);
}

TEST(FrameName, PatternsFormatLikeOneIntegerConversion) {
  struct Case {
    const wchar_t* pattern;
    uint32_t frame;
    const wchar_t* name;
  };
  const Case cases[] = {
      {L"res\\mainWnd\\installBtnAnimate\\%.3d.png", 0, L"res\\mainWnd\\installBtnAnimate\\000.png"},
      {L"res\\mainWnd\\installBtnAnimate\\%.3d.png", 7, L"res\\mainWnd\\installBtnAnimate\\007.png"},
      {L"f%.3d", 1234, L"f1234"},
      {L"f%03d", 5, L"f005"},
      {L"f%3d", 5, L"f  5"},
      {L"f%-3d|", 5, L"f5  |"},
      {L"f%d", 0xFFFFFFFFu, L"f-1"},
      {L"f%.3d", 0xFFFFFFFFu, L"f-001"},
      {L"f%u", 0xFFFFFFFFu, L"f4294967295"},
      {L"f%x.%X", 255, nullptr},
      {L"f%02x", 10, L"f0a"},
      {L"100%%_%ld", 3, L"100%_3"},
      {L"plain.png", 4, L"plain.png"},
  };
  for (const Case& c : cases) {
    std::wstring name = L"stale";
    bool ok = FormatFrameName(c.pattern, c.frame, &name);
    if (c.name) {
      EXPECT_TRUE(ok) << c.pattern;
      EXPECT_EQ(name, c.name) << c.pattern;
    } else {
      EXPECT_FALSE(ok) << c.pattern;
      EXPECT_TRUE(name.empty()) << c.pattern;
    }
  }
}

TEST(FrameName, MarkupCannotSmuggleOtherConversions) {
  const wchar_t* refused[] = {L"%s.png", L"%n", L"%d%d", L"%.3d%s", L"%", L"%5", L"%999999999999d", L"%p"};
  for (const wchar_t* p : refused) {
    std::wstring name;
    EXPECT_FALSE(FormatFrameName(p, 1, &name)) << p;
    EXPECT_TRUE(name.empty()) << p;
  }
}

TEST(FrameName, LongNamesAreCutToTheNameBuffer) {
  std::wstring name;
  ASSERT_TRUE(FormatFrameName(std::wstring(300, L'a') + L"%d", 1, &name));
  EXPECT_EQ(name.size(), Vellum::kMaxFrameName);
  EXPECT_EQ(name, std::wstring(Vellum::kMaxFrameName, L'a'));
}

}  // namespace
