// The animated controls: markup attributes and defaults, the frame timer they
// ask their window for, and what each tick does to their background.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/sequence_button_ui.h"
#include "ui/sequence_controls.h"
#include "ui/sequence_label_ui.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/control_host.h"

namespace {

using Vellum::CControlUI;
using Vellum::CSequenceButtonUI;
using Vellum::CSequenceLabelUI;
using Vellum::kSequenceTimerId;

// A window that keeps a book of the timers its controls ask for.
class TimerHost : public Vellum::IControlHost {
 public:
  struct Call {
    std::string what;
    CControlUI* control;
    uint32_t id;
    uint32_t elapse;
  };
  void Invalidate(CControlUI* c) override { repaints.push_back(c); }
  void NeedLayout(CControlUI*) override {}
  void SetFocus(CControlUI*) override {}
  CControlUI* GetFocus() const override { return nullptr; }
  void SendNotify(CControlUI*, const std::wstring&, uint32_t, uint32_t) override {}
  bool SetTimer(CControlUI* c, uint32_t id, uint32_t elapse) override {
    calls.push_back({"set", c, id, elapse});
    running = true;
    return true;
  }
  bool KillTimer(CControlUI* c, uint32_t id) override {
    calls.push_back({"kill", c, id, 0});
    bool was = running;
    running = false;
    return was;
  }
  std::vector<Call> calls;
  std::vector<CControlUI*> repaints;
  bool running = false;
};

template <typename Control>
std::unique_ptr<Control> Make(const std::vector<std::pair<std::wstring, std::wstring>>& attrs) {
  auto c = std::make_unique<Control>();
  for (const auto& a : attrs) c->SetAttribute(a.first, a.second);
  return c;
}

// Ticks the control's frame timer while it runs; the background after each tick.
std::vector<std::wstring> Tick(CControlUI& c, TimerHost& host, int ticks) {
  std::vector<std::wstring> seen;
  for (int i = 0; i < ticks && host.running; ++i) {
    c.OnTimer(kSequenceTimerId);
    seen.push_back(c.GetBkImage());
  }
  return seen;
}

TEST(SequenceControls, DefaultsAndClassesDifferAsDocumented) {
  CSequenceLabelUI label;
  CSequenceButtonUI button;
  EXPECT_EQ(label.GetClass(), L"SequenceLabel");
  EXPECT_EQ(button.GetClass(), L"SequenceButton");
  EXPECT_EQ(label.GetSequencePeriod(), 30);
  EXPECT_EQ(button.GetSequencePeriod(), 60);
  EXPECT_FALSE(label.GetAnimation().IsRoundTrip());
  EXPECT_TRUE(button.GetAnimation().IsRoundTrip());
  for (const Vellum::CSequenceAnimation* a : {&label.GetAnimation(), &button.GetAnimation()}) {
    EXPECT_TRUE(a->IsLoop());
    EXPECT_FALSE(a->IsAutoStart());
    EXPECT_EQ(a->GetCount(), 0);
    EXPECT_TRUE(a->GetPattern().empty());
    EXPECT_TRUE(a->GetState().forward);
    EXPECT_EQ(a->GetState().index, 0u);
  }
}

TEST(SequenceControls, AttributesAreReadAndTheRestReachTheBase) {
  auto label = Make<CSequenceLabelUI>({{L"sequencebkimage", L"a\\%.3d.png"},
                                       {L"SequenceCount", L"12"},
                                       {L"SEQUENCESPAN", L"45"},
                                       {L"sequenceloop", L"false"},
                                       {L"AutoStart", L"yes"},
                                       {L"sequenceround", L"False"},
                                       {L"name", L"anim"},
                                       {L"width", L"255"}});
  EXPECT_EQ(label->GetSequencePattern(), L"a\\%.3d.png");
  EXPECT_EQ(label->GetSequenceCount(), 12);
  EXPECT_EQ(label->GetSequencePeriod(), 45);
  EXPECT_FALSE(label->GetAnimation().IsLoop());
  EXPECT_TRUE(label->GetAnimation().IsAutoStart());   // anything but "false"
  EXPECT_TRUE(label->GetAnimation().IsRoundTrip());   // "False" is not "false"
  EXPECT_EQ(label->GetName(), L"anim");
  EXPECT_EQ(label->GetFixedWidth(), 255);
  // The pattern's name is matched exactly: another spelling is the base's (ignored).
  label->SetAttribute(L"SequenceBkImage", L"other%d");
  EXPECT_EQ(label->GetSequencePattern(), L"a\\%.3d.png");
  auto button = Make<CSequenceButtonUI>({{L"sequenceround", L"false"}, {L"normalimage", L"n.png"}});
  EXPECT_FALSE(button->GetAnimation().IsRoundTrip());
  EXPECT_EQ(button->GetNormalImage(), L"n.png");
}

TEST(SequenceControls, TheInstallingPictureRepaintsItsOneFrameFromTheStart) {
  // The installing page's control as "mainWnd.xml" writes it.
  TimerHost host;  // outlives the control, whose destruction stops its timer
  auto c = Make<CSequenceLabelUI>({{L"sequencebkimage", L"res\\mainWnd\\installBtnAnimate\\%.3d.png"},
                                   {L"sequencecount", L"1"},
                                   {L"sequencespan", L"30"},
                                   {L"sequenceloop", L"true"},
                                   {L"sequenceround", L"false"},
                                   {L"autostart", L"true"}});
  c->SetHost(&host);
  c->DoInit();
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].what, "set");
  EXPECT_EQ(host.calls[0].control, c.get());
  EXPECT_EQ(host.calls[0].id, kSequenceTimerId);
  EXPECT_EQ(host.calls[0].elapse, 30u);
  std::vector<std::wstring> seen = Tick(*c, host, 4);
  EXPECT_EQ(seen, std::vector<std::wstring>(4, L"res\\mainWnd\\installBtnAnimate\\000.png"));
  EXPECT_EQ(host.repaints.size(), 4u);  // every tick repaints, the same frame too
  EXPECT_TRUE(host.running);
}

TEST(SequenceControls, ANonLoopingSequenceStopsItsTimerOnItsLastFrame) {
  for (bool roundTrip : {false, true}) {
    TimerHost host;  // outlives the control, whose destruction stops its timer
    auto c = Make<CSequenceButtonUI>({{L"sequencebkimage", L"f%d.png"},
                                      {L"sequencecount", L"3"},
                                      {L"sequenceloop", L"false"},
                                      {L"sequenceround", roundTrip ? L"true" : L"false"}});
    c->SetHost(&host);
    c->DoInit();
    EXPECT_TRUE(host.calls.empty());  // no auto start
    c->Start();
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].elapse, 60u);
    std::vector<std::wstring> seen = Tick(*c, host, 10);
    std::vector<std::wstring> expected = {L"f0.png", L"f1.png", L"f2.png"};
    if (roundTrip) expected.push_back(L"f1.png");
    expected.push_back(expected.back());  // the stopping tick leaves the last frame
    EXPECT_EQ(seen, expected) << roundTrip;
    ASSERT_EQ(host.calls.back().what, "kill");
    EXPECT_EQ(host.calls.back().id, kSequenceTimerId);
  }
}

TEST(SequenceControls, StartShowsFrameZeroNextAutoStartKeepsTheIndex) {
  TimerHost host;  // outlives the control, whose destruction stops its timer
  auto c = Make<CSequenceLabelUI>({{L"sequencebkimage", L"f%d"}, {L"sequencecount", L"5"}, {L"autostart", L"x"}});
  c->SetHost(&host);
  c->Start();
  Tick(*c, host, 3);
  EXPECT_EQ(c->GetBkImage(), L"f2");
  c->DoInit();  // auto start arms again but continues from frame 3
  c->OnTimer(kSequenceTimerId);
  EXPECT_EQ(c->GetBkImage(), L"f3");
  c->Start();
  c->OnTimer(kSequenceTimerId);
  EXPECT_EQ(c->GetBkImage(), L"f0");
  // Another timer id of the control is not the frame timer.
  c->OnTimer(kSequenceTimerId + 1);
  EXPECT_EQ(c->GetBkImage(), L"f0");
}

TEST(SequenceControls, AnEmptyPatternLeavesTheBackgroundAlone) {
  TimerHost host;  // outlives the control, whose destruction stops its timer
  auto c = Make<CSequenceLabelUI>({{L"bkimage", L"still.png"}, {L"sequencecount", L"3"}});
  c->SetHost(&host);
  c->Start();
  host.repaints.clear();
  std::vector<std::wstring> seen = Tick(*c, host, 5);
  EXPECT_EQ(seen, std::vector<std::wstring>(5, L"still.png"));
  EXPECT_TRUE(host.repaints.empty());
  EXPECT_TRUE(host.running);
  EXPECT_EQ(c->GetAnimation().GetState().index, 0u);
}

TEST(SequenceControls, StopAndDestructionStopTheFrameTimer) {
  TimerHost host;
  {
    auto c = Make<CSequenceLabelUI>({{L"sequencebkimage", L"f%d"}, {L"sequencecount", L"2"}});
    c->SetHost(&host);
    c->Start();
    c->Stop();
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[1].what, "kill");
    c->Start();
  }
  ASSERT_EQ(host.calls.size(), 4u);
  EXPECT_EQ(host.calls[3].what, "kill");
  EXPECT_EQ(host.calls[3].id, kSequenceTimerId);
  EXPECT_FALSE(host.running);
}

TEST(SequenceControls, TheHookCreatesBothElementsIgnoringCase) {
  auto a = Vellum::CreateSequenceControl(L"SequenceLabel");
  auto b = Vellum::CreateSequenceControl(L"sequencebutton");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(dynamic_cast<CSequenceLabelUI*>(a.get()), nullptr);
  EXPECT_NE(dynamic_cast<CSequenceButtonUI*>(b.get()), nullptr);
  EXPECT_EQ(Vellum::CreateSequenceControl(L"Label"), nullptr);
  EXPECT_EQ(Vellum::CreateSequenceControl(L"SequenceLabels"), nullptr);
}

}  // namespace
