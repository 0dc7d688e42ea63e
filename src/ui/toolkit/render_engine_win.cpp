#include "ui/toolkit/render_engine.h"

#include <algorithm>

#include "ui/toolkit/button_ui.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/dib_section.h"
#include "ui/toolkit/edit_ui.h"
#include "ui/toolkit/image_descriptor.h"
#include "ui/toolkit/option_ui.h"
#include "ui/toolkit/progress_ui.h"

namespace Vellum {

namespace {

constexpr uint32_t kDisabledTextColor = 0xFFA7A6AA;
constexpr uint32_t kDefaultTextColor = 0xFF000000;

COLORREF ToColorRef(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

bool Intersects(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Rect Deflate(const Rect& r, const Rect& by) {
  return Rect{r.left + by.left, r.top + by.top, r.right - by.right, r.bottom - by.bottom};
}

// Keeps the device context's state (clip, selected objects) for one scope.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(::SaveDC(dc)) {}
  ~SavedDC() { ::RestoreDC(dc_, id_); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

class MemoryDC {
 public:
  MemoryDC(HDC like, HBITMAP bitmap) : dc_(::CreateCompatibleDC(like)) { old_ = ::SelectObject(dc_, bitmap); }
  ~MemoryDC() {
    ::SelectObject(dc_, old_);
    ::DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

void Blend(HDC dc, const Rect& to, HDC src, const Rect& from, uint8_t fade) {
  if (to.IsEmpty() || from.IsEmpty()) return;
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, fade, AC_SRC_ALPHA};
  ::AlphaBlend(dc, to.left, to.top, to.Width(), to.Height(), src, from.left, from.top, from.Width(), from.Height(), bf);
}

}  // namespace

CRenderEngine::~CRenderEngine() {
  for (auto& f : fonts_) ::DeleteObject(f.second);
  for (auto& b : bitmaps_) ::DeleteObject(b.second.bitmap);
}

void CRenderEngine::SetFonts(const CFontTable& table) {
  for (auto& f : fonts_) ::DeleteObject(f.second);
  fonts_.clear();
  // Bold raises the default GUI font's weight by 700; the system takes at most 1000.
  LOGFONTW gui = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
  const LONG boldWeight = std::min<LONG>((gui.lfWeight ? gui.lfWeight : FW_NORMAL) + FW_BOLD, 1000);
  for (const auto& entry : table.All()) {
    const FontSpec& desc = entry.second;
    LOGFONTW lf = {};
    lf.lfHeight = -desc.size;
    lf.lfWeight = desc.bold ? boldWeight : FW_NORMAL;
    lf.lfUnderline = desc.underline;
    lf.lfItalic = desc.italic;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, desc.name.c_str(), LF_FACESIZE);
    if (HFONT font = ::CreateFontIndirectW(&lf)) fonts_[desc.id] = font;
  }
  auto it = fonts_.find(table.DefaultId());
  defaultFont_ = it != fonts_.end() ? it->second : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

HFONT CRenderEngine::GetFont(int id) const {
  auto it = fonts_.find(id);
  if (it != fonts_.end()) return it->second;
  return defaultFont_ ? defaultFont_ : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void CRenderEngine::FillColor(HDC dc, const Rect& rc, uint32_t argb, Size round) {
  uint8_t alpha = static_cast<uint8_t>(argb >> 24);
  if (alpha == 0 || rc.IsEmpty()) return;
  if (alpha == 0xFF) {
    HBRUSH brush = ::CreateSolidBrush(ToColorRef(argb));
    if (round.cx > 0 || round.cy > 0) {
      HRGN rgn = ::CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, round.cx, round.cy);
      ::FillRgn(dc, rgn, brush);
      ::DeleteObject(rgn);
    } else {
      RECT r = ToRECT(rc);
      ::FillRect(dc, &r, brush);
    }
    ::DeleteObject(brush);
    return;
  }
  // A translucent fill: one premultiplied pixel stretched over the area.
  void* bits = nullptr;
  HBITMAP pixel = CreateTopDownDib(dc, 1, 1, &bits);
  if (!pixel) return;
  uint32_t a = alpha;
  uint32_t r = ((argb >> 16) & 0xFF) * a / 255, g = ((argb >> 8) & 0xFF) * a / 255, b = (argb & 0xFF) * a / 255;
  *static_cast<uint32_t*>(bits) = (a << 24) | (r << 16) | (g << 8) | b;
  {
    MemoryDC src(dc, pixel);
    Blend(dc, rc, src.Get(), Rect{0, 0, 1, 1}, 0xFF);
  }
  ::DeleteObject(pixel);
}

const CRenderEngine::NativeImage* CRenderEngine::ImageFor(const ImageDescriptor& d) {
  ImageKey key = KeyOf(d);
  auto it = bitmaps_.find(key);
  if (it != bitmaps_.end()) return &it->second;
  NativeImage made;
  const PixelStorage intoBitmap = [&made](int width, int height) -> uint32_t* {
    void* bits = nullptr;
    made.bitmap = CreateTopDownDib(nullptr, width, height, &bits);
    if (!made.bitmap) return nullptr;
    made.width = width;
    made.height = height;
    return static_cast<uint32_t*>(bits);
  };
  if (!images_->DecodeInto(d, intoBitmap, nullptr)) {
    if (made.bitmap) ::DeleteObject(made.bitmap);
    return nullptr;
  }
  NativeImage& kept = bitmaps_[std::move(key)];
  kept = made;
  return &kept;
}

void CRenderEngine::DrawImage(HDC dc, const Rect& control, const std::wstring& text, const Rect* clip) {
  if (text.empty()) return;
  ImageDescriptor d = ImageDescriptor::Parse(text);
  const NativeImage* image = ImageFor(d);
  if (!image) return;
  Rect dest = control;
  if (d.hasDest) {
    dest = Rect{control.left + d.dest.left, control.top + d.dest.top, control.left + d.dest.right,
                control.top + d.dest.bottom};
  }
  SavedDC saved(dc);
  ::IntersectClipRect(dc, control.left, control.top, control.right, control.bottom);
  if (clip) ::IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
  MemoryDC src(dc, image->bitmap);
  const int w = image->width, h = image->height;
  if (d.xtiled || d.ytiled) {
    for (int y = dest.top; y < dest.bottom; y += d.ytiled ? h : dest.Height()) {
      for (int x = dest.left; x < dest.right; x += d.xtiled ? w : dest.Width()) {
        int cx = d.xtiled ? std::min(w, dest.right - x) : dest.Width();
        int cy = d.ytiled ? std::min(h, dest.bottom - y) : dest.Height();
        Blend(dc, Rect{x, y, x + cx, y + cy}, src.Get(),
              Rect{0, 0, d.xtiled ? cx : w, d.ytiled ? cy : h}, d.fade);
      }
    }
    return;
  }
  // Nine pieces: the corners keep their size, the edges stretch along one
  // direction and the centre (left out for a hole) in both.
  const Rect& c = d.corner;
  const int sx[4] = {0, c.left, w - c.right, w};
  const int sy[4] = {0, c.top, h - c.bottom, h};
  const int dx[4] = {dest.left, dest.left + c.left, dest.right - c.right, dest.right};
  const int dy[4] = {dest.top, dest.top + c.top, dest.bottom - c.bottom, dest.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (d.hole && row == 1 && col == 1) continue;
      Blend(dc, Rect{dx[col], dy[row], dx[col + 1], dy[row + 1]}, src.Get(),
            Rect{sx[col], sy[row], sx[col + 1], sy[row + 1]}, d.fade);
    }
  }
}

void CRenderEngine::DrawText(HDC dc, const Rect& rc, const std::wstring& text, uint32_t argb, int fontId,
                             uint32_t style) const {
  if (text.empty() || rc.IsEmpty()) return;
  SavedDC saved(dc);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(argb));
  ::SelectObject(dc, GetFont(fontId));
  RECT r = ToRECT(rc);
  const int length = static_cast<int>(text.size());
  // The system centres only single lines vertically; wrapped text is measured
  // at the rectangle's width and moved down by hand.
  if (!(style & kTextSingleLine) && (style & (kTextVCenter | kTextBottom))) {
    RECT need = r;
    ::DrawTextW(dc, text.c_str(), length, &need, (style | DT_CALCRECT | DT_NOPREFIX) & ~(kTextVCenter | kTextBottom));
    int spare = rc.Height() - (need.bottom - need.top);
    if (spare > 0) r.top += (style & kTextBottom) ? spare : spare / 2;
  }
  ::DrawTextW(dc, text.c_str(), length, &r, style | DT_NOPREFIX);
}

Size CRenderEngine::MeasureText(HDC dc, const std::wstring& text, int fontId, uint32_t style) const {
  SavedDC saved(dc);
  ::SelectObject(dc, GetFont(fontId));
  RECT r = {0, 0, 9999, 9999};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, (style & ~kTextWordBreak) | DT_CALCRECT | DT_NOPREFIX);
  return Size{r.right - r.left, r.bottom - r.top};
}

void CRenderEngine::PaintTree(HDC dc, CControlUI& control, const Rect& clip) {
  if (!control.IsVisible() || !Intersects(control.GetPos(), clip)) return;
  PaintControl(dc, control);
  if (CContainerUI* container = control.AsContainer()) {
    SavedDC saved(dc);
    const Rect& p = control.GetPos();
    ::IntersectClipRect(dc, p.left, p.top, p.right, p.bottom);
    for (int i = 0; i < container->GetCount(); ++i) PaintTree(dc, *container->GetItemAt(i), clip);
  }
}

namespace {

// The face and colours of a button in its current state.
struct ButtonFace {
  const std::wstring* image = nullptr;
  uint32_t bkColor = 0;
  uint32_t textColor = 0;
};

ButtonFace FaceOf(const CButtonUI& b) {
  ButtonFace f{&b.GetNormalImage(), b.GetBkColor(), b.GetTextColor()};
  const auto* option = dynamic_cast<const COptionUI*>(&b);
  if (option && option->IsSelected()) {
    if (!option->GetSelectedImage().empty()) f.image = &option->GetSelectedImage();
    if (option->GetSelectedTextColor()) f.textColor = option->GetSelectedTextColor();
  }
  uint32_t state = b.GetButtonState();
  if (!b.IsEnabled()) {
    if (!b.GetDisabledImage().empty()) f.image = &b.GetDisabledImage();
    f.textColor = kDisabledTextColor;
  } else if (state & kStatePushed) {
    if (!b.GetPushedImage().empty()) f.image = &b.GetPushedImage();
    if (b.GetPushedBkColor()) f.bkColor = b.GetPushedBkColor();
    if (b.GetPushedTextColor()) f.textColor = b.GetPushedTextColor();
  } else if (state & kStateHot) {
    if (!b.GetHotImage().empty()) f.image = &b.GetHotImage();
    if (b.GetHotBkColor()) f.bkColor = b.GetHotBkColor();
    if (b.GetHotTextColor()) f.textColor = b.GetHotTextColor();
  }
  return f;
}

}  // namespace

void CRenderEngine::PaintControl(HDC dc, CControlUI& control) {
  const Rect& pos = control.GetPos();
  auto* button = dynamic_cast<CButtonUI*>(&control);
  ButtonFace face{nullptr, control.GetBkColor(), 0};
  if (button) face = FaceOf(*button);
  FillColor(dc, pos, face.bkColor, control.GetBorderRound());
  DrawImage(dc, pos, control.GetBkImage());
  if (auto* progress = dynamic_cast<CProgressUI*>(&control)) {
    Rect filled{pos.left, pos.top, pos.left + progress->FillWidth(pos.Width()), pos.bottom};
    DrawImage(dc, pos, progress->GetForeImage(), &filled);
  }
  if (face.image) DrawImage(dc, pos, *face.image);
  auto* label = dynamic_cast<CLabelUI*>(&control);
  if (!label || dynamic_cast<CProgressUI*>(&control)) return;
  uint32_t color = button ? face.textColor : label->GetTextColor();
  if (!color) color = kDefaultTextColor;
  if (!control.IsEnabled()) color = kDisabledTextColor;
  DrawText(dc, Deflate(pos, label->GetTextPadding()), control.GetText(), color, label->GetFont(),
           label->GetTextStyle());
}

}  // namespace Vellum
