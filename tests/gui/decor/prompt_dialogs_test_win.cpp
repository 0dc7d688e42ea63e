// The prompt dialogs shown with ShowPrompt over a skinned owner: answered by
// real clicks on their buttons and close box, closed from outside, their texts,
// title, owner and place, the nested modal loop that keeps handling the
// owner's posted messages, and a screenshot of each with its shadow.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "gui/decor/decor_gui_support.h"
#include "gui/support/screenshot.h"
#include "ui/show_prompt.h"
#include "ui/toolkit/drop_shadow.h"

namespace {

using DecorTest::FindDialog;
using DecorTest::ModalScript;
using GuiTest::PumpUntil;
using Vellum::CMessageBoxWnd;

// What a script saw while its dialog was up.
struct Seen {
  bool ownerDisabled = false;
  bool ownedByOwner = false;
  std::wstring title;
  POINT dialogCentre = {};
  POINT ownerCentre = {};
  SIZE size = {};
  bool shadowShown = false;
  std::wstring shadowClass;
  RECT shadowRect = {};
  RECT dialogRect = {};
};

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class PromptDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(Vellum::CDropShadow::Initialize(::GetModuleHandleW(nullptr))); }
  void SetUp() override {
    ASSERT_TRUE(owner.Open());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == owner.GetHWND(); }));
  }
  void TearDown() override {
    owner.Close(1);
    PumpUntil([&] { return !::IsWindow(owner.GetHWND()); });
  }

  // Waits until the dialog is up, in front and painted; records what it shows.
  std::function<bool()> Ready(const std::wstring& cls, Seen* seen) {
    return [this, cls, seen] {
      CMessageBoxWnd* d = FindDialog(cls);
      if (!d) return false;
      HWND h = d->GetHWND();
      if (::GetForegroundWindow() != h) {
        ::SetForegroundWindow(h);
        return false;
      }
      HWND shadow = d->GetShadow().GetShadowWindow();
      if (!shadow || !::IsWindowVisible(shadow) || d->GetShadow().GetLastRender().pixels.empty()) return false;
      ::UpdateWindow(h);
      seen->ownerDisabled = !::IsWindowEnabled(owner.GetHWND());
      seen->ownedByOwner = ::GetWindow(h, GW_OWNER) == owner.GetHWND();
      wchar_t buf[64] = {};
      ::GetWindowTextW(h, buf, 64);
      seen->title = buf;
      RECT dr, orc;
      ::GetWindowRect(h, &dr);
      ::GetWindowRect(owner.GetHWND(), &orc);
      seen->dialogRect = dr;
      seen->dialogCentre = Centre(dr);
      seen->ownerCentre = Centre(orc);
      seen->size = SIZE{dr.right - dr.left, dr.bottom - dr.top};
      seen->shadowShown = true;
      ::GetClassNameW(shadow, buf, 64);
      seen->shadowClass = buf;
      ::GetWindowRect(shadow, &seen->shadowRect);
      return true;
    };
  }

  // Presses a control of the dialog with the real mouse, or closes it from outside (nullptr).
  static std::function<bool()> Answer(const std::wstring& cls, const wchar_t* press) {
    return [cls, press] {
      CMessageBoxWnd* d = FindDialog(cls);
      if (!d) return false;
      if (!press) {
        ::PostMessageW(d->GetHWND(), WM_CLOSE, 0, 0);
        return true;
      }
      Vellum::CControlUI* c = d->GetManager().FindControl(press);
      if (!c) {
        ADD_FAILURE() << "no control in " << ::testing::PrintToString(cls);
        ::PostMessageW(d->GetHWND(), WM_CLOSE, 0, 0);
        return true;
      }
      DecorTest::ClickAt(DecorTest::CenterOf(d->GetHWND(), c));
      return true;
    };
  }

  // Saves prompt_<class>.png (the screen as shown) and
  // prompt_<class>_composited.png; the shadow shows beside the dialog and
  // nothing of it over the dialog itself.
  static std::function<bool()> Screenshot(const std::wstring& cls) {
    return [cls] {
      CMessageBoxWnd* d = FindDialog(cls);
      if (!d) return false;
      DecorTest::ShadowShots shots = DecorTest::CaptureWithShadow(d->GetHWND(), d->GetShadow());
      EXPECT_TRUE(shots.ok) << "the shadow does not show on the screen";
      EXPECT_TRUE(DecorTest::SaveScreenshot(shots.shown, L"prompt_" + cls));
      if (!shots.ok) return true;
      EXPECT_TRUE(DecorTest::SaveScreenshot(shots.composited, L"prompt_" + cls + L"_composited"));
      for (POINT inside : {POINT{180, 90}, POINT{20, 150}, POINT{300, 15}}) {
        int x = shots.window.x + inside.x, y = shots.window.y + inside.y;
        EXPECT_EQ(shots.shown.At(x, y), shots.beneath.At(x, y)) << "over the dialog at " << inside.x << "," << inside.y;
      }
      // Composited, the ring beside the window is darker than what lies beneath it.
      int bx = shots.window.x + 361, by = shots.window.y + 90;
      uint32_t under = shots.beneath.At(bx, by), over = shots.composited.At(bx, by);
      EXPECT_LT((over >> 8) & 0xFF, (under >> 8) & 0xFF) << std::hex << under << " " << over;
      return true;
    };
  }

  void ExpectSeen(const Seen& seen, const char* what) {
    EXPECT_TRUE(seen.ownerDisabled) << what;
    EXPECT_TRUE(seen.ownedByOwner) << what;
    EXPECT_EQ(seen.title, L"消息框") << what;
    EXPECT_EQ(seen.size.cx, 360) << what;
    EXPECT_EQ(seen.size.cy, 180) << what;
    EXPECT_LE(std::abs(seen.dialogCentre.x - seen.ownerCentre.x), 1) << what;
    EXPECT_LE(std::abs(seen.dialogCentre.y - seen.ownerCentre.y), 1) << what;
    EXPECT_TRUE(seen.shadowShown) << what;
    EXPECT_EQ(seen.shadowClass, L"VellumShadowWnd") << what;
    // Size 6, position 1,1: the shadow starts 5 pixels up and left and is 12 larger.
    EXPECT_EQ(seen.shadowRect.left, seen.dialogRect.left - 5) << what;
    EXPECT_EQ(seen.shadowRect.top, seen.dialogRect.top - 5) << what;
    EXPECT_EQ(seen.shadowRect.right - seen.shadowRect.left, 372) << what;
    EXPECT_EQ(seen.shadowRect.bottom - seen.shadowRect.top, 192) << what;
  }

  DecorTest::OwnerWindow owner;
};

TEST_F(PromptDialogs, EachDialogAnswersByItsButtonsItsCloseBoxAndClosingFromOutside) {
  struct Case {
    const wchar_t* file;
    const wchar_t* cls;
    const wchar_t* press;  // nullptr: closed from outside
    int result;
  };
  const Case cases[] = {
      {L"MessageBox1Wnd.xml", L"MessageBox1Wnd", L"closebtn", 2},
      {L"MessageBox1Wnd.xml", L"MessageBox1Wnd", nullptr, 1},
      {L"MessageBox2Wnd.xml", L"MessageBox2Wnd", L"closebtn", 2},
      {L"InstalledPathTipWnd.xml", L"InstalledPathTipWnd", L"okBtn", 0},
      {L"InstalledPathTipWnd.xml", L"InstalledPathTipWnd", L"cancelBtn", 1},
      {L"InstalledPathTipWnd.xml", L"InstalledPathTipWnd", L"closebtn", 2},
      {L"ExitTipWnd.xml", L"ExitTipWnd", L"okBtn", 0},  // stored as "exitTipWnd.xml"
      {L"ExitTipWnd.xml", L"ExitTipWnd", L"cancelBtn", 1},
      {L"ExitTipWnd.xml", L"ExitTipWnd", L"closebtn", 2},
      {L"ExitTipWnd.xml", L"ExitTipWnd", nullptr, 1},
      {L"NetworkTipWnd.xml", L"NetworkTipWnd", L"okBtn", 0},
      {L"NetworkTipWnd.xml", L"NetworkTipWnd", L"cancelBtn", 1},
      {L"NetworkTipWnd.xml", L"NetworkTipWnd", L"closebtn", 2},
      {L"NetworkTipWnd.xml", L"NetworkTipWnd", nullptr, 1},
  };
  std::set<std::wstring> shot;
  for (const Case& c : cases) {
    std::string what = ::testing::PrintToString(std::wstring(c.file)) + " " +
                       (c.press ? ::testing::PrintToString(std::wstring(c.press)) : std::string("outside"));
    Seen seen;
    std::vector<std::function<bool()>> steps = {Ready(c.cls, &seen)};
    // The message boxes get their screenshots with real texts in the next test.
    bool tip = std::wstring(c.cls).find(L"MessageBox") == std::wstring::npos;
    if (tip && shot.insert(c.cls).second) steps.push_back(Screenshot(c.cls));
    steps.push_back(Answer(c.cls, c.press));
    ModalScript script(c.cls, std::move(steps));
    int result = Vellum::ShowPrompt(owner.GetHWND(), c.file, nullptr, nullptr);
    EXPECT_FALSE(script.TimedOut()) << what << " stopped at step " << script.StepReached();
    EXPECT_TRUE(script.Finished()) << what;
    EXPECT_EQ(result, c.result) << what;
    ExpectSeen(seen, what.c_str());
    EXPECT_TRUE(::IsWindowEnabled(owner.GetHWND())) << what;
    EXPECT_EQ(::FindWindowW(c.cls, nullptr), nullptr) << what;
  }
}

// Rows of the label's area that hold ink, grouped into runs of adjacent rows.
int TextLines(const GuiTest::Screenshot& shot, const Vellum::Rect& area) {
  uint32_t bg = shot.At(area.left + 2, area.top + 2);
  auto differs = [&](uint32_t px) {
    for (int s = 0; s < 24; s += 8) {
      int a = static_cast<int>((px >> s) & 0xFF), b = static_cast<int>((bg >> s) & 0xFF);
      if (std::abs(a - b) > 60) return true;
    }
    return false;
  };
  int lines = 0;
  bool inLine = false;
  for (int y = area.top; y < area.bottom && y < shot.height; ++y) {
    bool ink = false;
    for (int x = area.left; x < area.right && x < shot.width && !ink; ++x) ink = differs(shot.At(x, y));
    if (ink && !inLine) ++lines;
    inLine = ink;
  }
  return lines;
}

TEST_F(PromptDialogs, TheMessageBoxesShowTheCallersTextAndCaption) {
  struct Case {
    const wchar_t* file;
    const wchar_t* cls;
    const wchar_t* text;
    const wchar_t* caption;
    int lines;
  };
  const Case cases[] = {
      {L"MessageBox1Wnd.xml", L"MessageBox1Wnd", L"安装程序检测到QuibZip\r\n正在运行，请退出程序后再安装", L"温馨提示", 2},
      {L"MessageBox2Wnd.xml", L"MessageBox2Wnd", L"当前网络环境较差，请在网络通畅时进行安装", L"温馨提示", 1},
  };
  for (const Case& c : cases) {
    Seen seen;
    std::wstring text, caption;
    int lines = -1;
    auto read = [&] {
      CMessageBoxWnd* d = FindDialog(c.cls);
      if (!d || !d->GetTextLabel() || !d->GetCaptionLabel()) return false;
      text = d->GetTextLabel()->GetText();
      caption = d->GetCaptionLabel()->GetText();
      lines = TextLines(GuiTest::CaptureWindow(d->GetHWND()), d->GetTextLabel()->GetPos());
      return true;
    };
    ModalScript script(c.cls, {Ready(c.cls, &seen), read, Screenshot(c.cls), Answer(c.cls, L"closebtn")});
    EXPECT_EQ(Vellum::ShowPrompt(owner.GetHWND(), c.file, c.text, c.caption), 2);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(caption, c.caption);
    EXPECT_EQ(lines, c.lines) << ::testing::PrintToString(std::wstring(c.file));
    ExpectSeen(seen, "message box");
  }
  // The tip dialogs have fixed texts: what the caller passes is ignored.
  std::wstring tipText;
  auto read = [&] {
    CMessageBoxWnd* d = FindDialog(L"NetworkTipWnd");
    if (!d) return false;
    EXPECT_EQ(d->GetTextLabel(), nullptr);
    EXPECT_EQ(d->GetCaptionLabel(), nullptr);
    return true;
  };
  Seen seen;
  ModalScript script(L"NetworkTipWnd", {Ready(L"NetworkTipWnd", &seen), read, Answer(L"NetworkTipWnd", L"okBtn")});
  EXPECT_EQ(Vellum::ShowPrompt(owner.GetHWND(), L"NetworkTipWnd.xml", L"ignored", L"ignored"), 0);
  EXPECT_FALSE(script.TimedOut());
}

TEST_F(PromptDialogs, TheNestedLoopHandlesTheOwnersPostedMessagesAndIgnoresEscape) {
  owner.watchedDialog = L"ExitTipWnd";
  Seen seen;
  bool stillOpen = false;
  auto post = [&] {
    CMessageBoxWnd* d = FindDialog(L"ExitTipWnd");
    if (!d) return false;
    ::PostMessageW(owner.GetHWND(), DecorTest::kStatusMessage, 2003, 0);
    ::PostMessageW(d->GetHWND(), WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageW(d->GetHWND(), WM_KEYUP, VK_ESCAPE, 0);
    ::PostMessageW(owner.GetHWND(), DecorTest::kMarkerMessage, 1, 0);
    return true;
  };
  auto settled = [&] {
    if (owner.handled.empty() || owner.handled.back().msg != DecorTest::kMarkerMessage) return false;
    stillOpen = FindDialog(L"ExitTipWnd") != nullptr;
    return true;
  };
  ModalScript script(L"ExitTipWnd", {Ready(L"ExitTipWnd", &seen), post, settled, Answer(L"ExitTipWnd", L"cancelBtn")});
  EXPECT_EQ(Vellum::ShowPrompt(owner.GetHWND(), L"ExitTipWnd.xml", nullptr, nullptr), 1);
  EXPECT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
  ASSERT_EQ(owner.handled.size(), 2u);
  EXPECT_EQ(owner.handled[0].msg, DecorTest::kStatusMessage);
  EXPECT_EQ(owner.handled[0].wParam, 2003u);
  EXPECT_TRUE(owner.handled[0].dialogAlive);  // handled inside the dialog's loop
  EXPECT_TRUE(stillOpen);                     // Escape did not close it
}

}  // namespace
