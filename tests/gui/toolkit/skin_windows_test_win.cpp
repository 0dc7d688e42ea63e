// Each skin window built from the embedded archive, shown, captured from the
// screen and checked at the positions the layout gave its controls.
#include <gtest/gtest.h>

#include <map>

#include "gui/support/gui_pump.h"
#include "gui/support/screenshot.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/progress_ui.h"
#include "ui/toolkit/tab_layout_ui.h"

using GuiTest::RecordingFrame;
using GuiTest::Screenshot;

namespace {

// Pixels inside r (window coordinates) that differ from the most common colour there.
int PixelsOffBackground(const Screenshot& shot, const Vellum::Rect& r) {
  std::map<uint32_t, int> counts;
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, shot.height); ++y) {
    for (int x = std::max(r.left, 0); x < std::min(r.right, shot.width); ++x) ++counts[shot.At(x, y)];
  }
  int total = 0, most = 0;
  for (const auto& c : counts) {
    total += c.second;
    most = std::max(most, c.second);
  }
  return total - most;
}

// Every visible control with a text, depth first.
void CollectTexts(Vellum::CControlUI* c, std::vector<Vellum::CControlUI*>* out) {
  if (!c->IsVisible()) return;
  if (!c->GetText().empty() && !c->GetPos().IsEmpty()) out->push_back(c);
  if (auto* container = c->AsContainer()) {
    for (int i = 0; i < container->GetCount(); ++i) CollectTexts(container->GetItemAt(i), out);
  }
}

Vellum::Point Center(const Vellum::Rect& r) { return Vellum::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

Screenshot CaptureAndSave(RecordingFrame& frame, const std::wstring& name) {
  GuiTest::PumpPending();
  Screenshot shot = GuiTest::CaptureWindow(frame.GetHWND());
  std::wstring dir = GuiTest::ScreenshotDir();
  if (!dir.empty()) {
    EXPECT_TRUE(GuiTest::SavePng(shot, dir + L"\\" + name + L".png"));
  }
  return shot;
}

uint32_t ImageColor(RecordingFrame& frame, const wchar_t* file) {
  Vellum::CImageCache cache(frame.GetManager().GetArchive());
  auto image = cache.Get(std::wstring(file));
  return image ? (image->At(image->width / 2, image->height / 2) & 0xFFFFFF) : 0xFFFFFFFFu;
}

struct SkinCase {
  const wchar_t* file;
  int width, height;
};

class SkinWindows : public ::testing::TestWithParam<SkinCase> {};

TEST_P(SkinWindows, BuildsFromTheArchiveAndPaintsEveryText) {
  const SkinCase& c = GetParam();
  RecordingFrame frame(c.file);
  ASSERT_TRUE(frame.Open());
  RECT rc;
  ::GetWindowRect(frame.GetHWND(), &rc);
  EXPECT_EQ(rc.right - rc.left, c.width);
  EXPECT_EQ(rc.bottom - rc.top, c.height);
  ASSERT_NE(frame.GetManager().GetRoot(), nullptr);
  std::wstring name(c.file);
  Screenshot shot = CaptureAndSave(frame, name.substr(0, name.rfind(L'.')));
  ASSERT_EQ(shot.width, c.width);

  std::vector<Vellum::CControlUI*> texts;
  CollectTexts(frame.GetManager().GetRoot(), &texts);
  ASSERT_FALSE(texts.empty());
  for (auto* t : texts) {
    EXPECT_GE(PixelsOffBackground(shot, t->GetPos()), 10) << "no text pixels for \"" << ::testing::PrintToString(t->GetText()) << "\"";
  }
  // The close button's face is its normal image.
  auto* close = frame.GetManager().FindControl(L"closebtn");
  ASSERT_NE(close, nullptr);
  const wchar_t* closeImage = name == L"mainWnd.xml" ? L"res\\common\\closebtn1.png" : L"res\\common\\closebtnM_1.png";
  Vellum::Point p = Center(close->GetPos());
  EXPECT_EQ(shot.At(p.x, p.y), ImageColor(frame, closeImage));
}

INSTANTIATE_TEST_SUITE_P(Skin, SkinWindows,
                         ::testing::Values(SkinCase{L"mainWnd.xml", 600, 400}, SkinCase{L"MessageBox1Wnd.xml", 360, 180},
                                           SkinCase{L"MessageBox2Wnd.xml", 360, 180},
                                           SkinCase{L"InstalledPathTipWnd.xml", 360, 180},
                                           SkinCase{L"exitTipWnd.xml", 360, 180},
                                           SkinCase{L"NetworkTipWnd.xml", 360, 180}));

// Every page of the main window, captured; each visible text leaves pixels.
TEST(MainWindowPages, EveryPageShowsItsTexts) {
  RecordingFrame frame(L"mainWnd.xml");
  ASSERT_TRUE(frame.Open());
  auto* tab = dynamic_cast<Vellum::CTabLayoutUI*>(frame.GetManager().FindControl(L"mainTabLt"));
  auto* title = dynamic_cast<Vellum::CTabLayoutUI*>(frame.GetManager().FindControl(L"titleTabLt"));
  ASSERT_TRUE(tab && title);
  for (int page = 0; page < 4; ++page) {
    ASSERT_TRUE(tab->SelectItem(page, false));
    ASSERT_TRUE(title->SelectItem(page == 1 ? 1 : 0, false));  // the back button lives on the custom page
    Screenshot shot = CaptureAndSave(frame, L"mainWnd_page" + std::to_wstring(page));
    std::vector<Vellum::CControlUI*> texts;
    CollectTexts(tab->GetItemAt(page), &texts);
    EXPECT_FALSE(texts.empty()) << page;
    for (auto* t : texts) {
      EXPECT_GE(PixelsOffBackground(shot, t->GetPos()), 10)
          << "page " << page << ": no text pixels for " << ::testing::PrintToString(t->GetText());
    }
  }
}

// Wrapped text is centred vertically when the markup asks for it (the
// system centres single lines only).
TEST(MessageBoxText, MultiLineTextIsCentredVertically) {
  RecordingFrame frame(L"MessageBox1Wnd.xml");
  ASSERT_TRUE(frame.Open());
  auto* text = dynamic_cast<Vellum::CLabelUI*>(frame.GetManager().FindControl(L"textLbl"));
  ASSERT_NE(text, nullptr);
  ASSERT_EQ(text->GetTextStyle() & Vellum::kTextSingleLine, 0u);
  GuiTest::PumpPending();
  Screenshot shot = GuiTest::CaptureWindow(frame.GetHWND());
  const Vellum::Rect& r = text->GetPos();
  const Vellum::Rect& pad = text->GetTextPadding();
  int first = -1, last = -1;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left + pad.left; x < r.right - pad.right; ++x) {
      if (shot.At(x, y) != 0xFFFFFFu) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  ASSERT_GE(first, 0) << "no text drawn";
  int inkMiddle = (first + last) / 2, boxMiddle = (r.top + pad.top + r.bottom - pad.bottom) / 2;
  EXPECT_NEAR(inkMiddle, boxMiddle, 4);
}

// What the window classes ask the manager: the resource folder, the window
// attributes the toolkit keeps for them, and text sizes in the markup's fonts.
TEST(MainWindowManager, AnswersFromTheMarkup) {
  RecordingFrame frame(L"mainWnd.xml");
  ASSERT_TRUE(frame.Open());
  auto& m = frame.GetManager();
  std::wstring folder = Vellum::CUIManager::GetInstancePath();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(m.GetResourcePath(), folder);  // the skin folder is empty
  const std::wstring* shadow = m.GetCustomAttribute(L"showshadow");
  const std::wstring* colour = m.GetCustomAttribute(L"shadowcolor");
  ASSERT_TRUE(shadow && colour);
  EXPECT_EQ(*shadow, L"true");
  EXPECT_EQ(*colour, L"#26003B76");
  EXPECT_EQ(m.GetCustomAttribute(L"size"), nullptr);  // known to the window itself
  EXPECT_EQ(m.GetCustomAttribute(L"nosuch"), nullptr);

  HDC dc = ::GetDC(frame.GetHWND());
  const uint32_t line = Vellum::kTextSingleLine;
  Vellum::Size big = m.GetTextSize(dc, L"立即安装", 4, line);    // 22 px
  Vellum::Size small = m.GetTextSize(dc, L"立即安装", 3, line);  // 12 px
  Vellum::Size empty = m.GetTextSize(dc, L"", 4, line);
  ::ReleaseDC(frame.GetHWND(), dc);
  EXPECT_GE(big.cx, 4 * 20);
  EXPECT_LE(big.cx, 4 * 24);
  EXPECT_GE(big.cy, 22);
  EXPECT_LT(small.cx, big.cx);
  EXPECT_LT(small.cy, big.cy);
  EXPECT_EQ(empty.cx, 0);
}

// Invalidating a control asks for just its rectangle to be painted again.
TEST(MainWindowPages, InvalidatingAControlRepaintsOnlyItsArea) {
  RecordingFrame frame(L"mainWnd.xml");
  ASSERT_TRUE(frame.Open());
  HWND hwnd = frame.GetHWND();
  ::ValidateRect(hwnd, nullptr);
  auto* button = frame.GetManager().FindControl(L"defaultInstallBtn");
  ASSERT_NE(button, nullptr);
  button->Invalidate();
  RECT update;
  ASSERT_TRUE(::GetUpdateRect(hwnd, &update, FALSE));
  const Vellum::Rect& b = button->GetPos();
  EXPECT_EQ((Vellum::Rect{update.left, update.top, update.right, update.bottom}), b);
  ::ValidateRect(hwnd, nullptr);
  button->SetText(button->GetText());  // an equal text changes nothing
  EXPECT_FALSE(::GetUpdateRect(hwnd, &update, FALSE));
}

TEST(MainWindowPages, InstallButtonFillAndProgressBarTrack) {
  RecordingFrame frame(L"mainWnd.xml");
  ASSERT_TRUE(frame.Open());
  auto& m = frame.GetManager();
  auto* button = m.FindControl(L"defaultInstallBtn");
  ASSERT_NE(button, nullptr);
  Screenshot welcome = CaptureAndSave(frame, L"mainWnd_install_normal");
  const Vellum::Rect& b = button->GetPos();
  EXPECT_EQ(b.Width(), 232);
  EXPECT_EQ(b.Height(), 50);  // "pos" after "height" reset the height: the row's
  // Left of the text the face is the markup's fill colour.
  EXPECT_EQ(welcome.At(b.left + 8, (b.top + b.bottom) / 2), 0x227EFAu);

  auto* tab = dynamic_cast<Vellum::CTabLayoutUI*>(m.FindControl(L"mainTabLt"));
  auto* bar = dynamic_cast<Vellum::CProgressUI*>(m.FindControl(L"installPrg"));
  ASSERT_NE(tab, nullptr);
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(tab->SelectItem(2, false));
  const uint32_t track = ImageColor(frame, L"res\\mainWnd\\installPrg1.png");
  const uint32_t fill = ImageColor(frame, L"res\\mainWnd\\installPrg2.png");
  ASSERT_NE(track, fill);

  struct { int set, expect; const wchar_t* shot; } values[] = {
      {25, 25, L"mainWnd_page2_25"}, {150, 100, L"mainWnd_page2_full"}, {-5, 0, L"mainWnd_page2_empty"}};
  for (const auto& v : values) {
    bar->SetValue(v.set);
    EXPECT_EQ(bar->GetValue(), v.expect);
    Screenshot shot = CaptureAndSave(frame, v.shot);
    const Vellum::Rect& r = bar->GetPos();
    ASSERT_EQ(r.Width(), 410);
    int y = (r.top + r.bottom) / 2;
    int edge = r.left + r.Width() * v.expect / 100;
    if (v.expect > 0) {
      EXPECT_EQ(shot.At(r.left + 2, y), fill) << v.set;
    }
    if (v.expect > 0) {
      EXPECT_EQ(shot.At(edge - 2, y), fill) << v.set;
    }
    if (v.expect < 100) {
      EXPECT_EQ(shot.At(edge + 2, y), track) << v.set;
    }
    if (v.expect < 100) {
      EXPECT_EQ(shot.At(r.right - 2, y), track) << v.set;
    }
  }
}

// Draws one character with the window's font into a white bitmap.
std::vector<uint32_t> Glyph(RecordingFrame& frame, const std::wstring& text) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  Vellum::CRenderEngine::FillColor(dc, Vellum::Rect{0, 0, 40, 40}, 0xFFFFFFFF);
  frame.GetManager().GetRenderEngine().DrawText(dc, Vellum::Rect{0, 0, 40, 40}, text, 0xFF000000, 4,
                                                Vellum::kTextCenter | Vellum::kTextVCenter | Vellum::kTextSingleLine);
  ::GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> out;
  for (int i = 0; i < 40 * 40; ++i) out.push_back(p[i] & 0xFFFFFF);
  ::SelectObject(dc, old);
  ::DeleteObject(bmp);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return out;
}

int Inked(const std::vector<uint32_t>& g) {
  int n = 0;
  for (uint32_t px : g) n += px != 0xFFFFFF;
  return n;
}

TEST(CjkText, DifferentCharactersDrawDifferentGlyphsNotBoxes) {
  RecordingFrame frame(L"mainWnd.xml");
  ASSERT_TRUE(frame.Open());
  auto an = Glyph(frame, L"安"), zhuang = Glyph(frame, L"装"), box = Glyph(frame, std::wstring(1, wchar_t(0xE000)));
  EXPECT_GT(Inked(an), 20);
  EXPECT_GT(Inked(zhuang), 20);
  EXPECT_NE(an, zhuang);
  // A character no font has draws the box; real CJK glyphs must not look like it.
  EXPECT_NE(an, box);
  EXPECT_NE(zhuang, box);
}

}  // namespace
