// The animated picture in a real window: the main window's markup built with
// the sequence controls from the custom-control hook, whose frame timer the
// window's manager runs.
#include <gtest/gtest.h>

#include "gui/support/gui_pump.h"
#include "ui/sequence_controls.h"
#include "ui/sequence_label_ui.h"

namespace {

using GuiTest::PumpUntil;

class AnimatedFrame : public GuiTest::RecordingFrame {
 public:
  AnimatedFrame() : RecordingFrame(L"mainWnd.xml") {}
  std::unique_ptr<Vellum::CControlUI> CreateControl(const std::wstring& name) override {
    return Vellum::CreateSequenceControl(name);
  }
};

TEST(SequenceWindow, TheInstallingPictureRunsOnTheWindowsTimerFromTheStart) {
  AnimatedFrame frame;
  ASSERT_TRUE(frame.Open());
  auto* anim = dynamic_cast<Vellum::CSequenceLabelUI*>(frame.GetManager().FindControl(L"progressAnLb"));
  ASSERT_NE(anim, nullptr);
  // Auto start: the frame timer runs as soon as the tree is attached.
  const Vellum::TimerRecord* record = frame.GetManager().GetTimers().Find(anim, Vellum::kSequenceTimerId);
  ASSERT_NE(record, nullptr);
  EXPECT_FALSE(record->killed);
  EXPECT_TRUE(PumpUntil([&] { return frame.Count(L"timer", L"progressAnLb") >= 3; }));
  EXPECT_EQ(anim->GetBkImage(), L"res\\mainWnd\\installBtnAnimate\\000.png");
  for (const GuiTest::Recorded& e : frame.events) {
    if (e.type == L"timer") {
      EXPECT_EQ(e.wParam, Vellum::kSequenceTimerId);
    }
  }
  anim->Stop();
  EXPECT_TRUE(frame.GetManager().GetTimers().Find(anim, Vellum::kSequenceTimerId)->killed);
  anim->Start();
  EXPECT_FALSE(frame.GetManager().GetTimers().Find(anim, Vellum::kSequenceTimerId)->killed);
  frame.Close(1);
  EXPECT_EQ(frame.ShowModal(), 1u);
}

}  // namespace
