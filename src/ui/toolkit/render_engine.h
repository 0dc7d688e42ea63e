// Paints a control tree into a 32-bit top-down device-independent bitmap with
// GDI and AlphaBlend: background colours (rounded when the control says so),
// images by descriptor (dest, nine-grid corner, hole, fade, tiling; masks are
// applied when decoding), borders, text in the window's fonts and the state
// faces of buttons, options and progress bars.
//
// Owner: the window's manager. Thread: the window's thread.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "ui/toolkit/font_table.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/image_cache.h"

namespace Vellum {

class CControlUI;

class CRenderEngine {
 public:
  // images decodes the pictures; each is kept here once, as a native bitmap.
  explicit CRenderEngine(const CImageCache* images) : images_(images) {}
  ~CRenderEngine();
  CRenderEngine(const CRenderEngine&) = delete;
  CRenderEngine& operator=(const CRenderEngine&) = delete;

  // Creates the native fonts of the table (replacing earlier ones).
  void SetFonts(const CFontTable& fonts);
  // The font of that id, the default font for -1 or an unknown id.
  HFONT GetFont(int id) const;
  // Paints control and its visible subtree where they meet clip.
  void PaintTree(HDC dc, CControlUI& control, const Rect& clip);
  Size MeasureText(HDC dc, const std::wstring& text, int fontId, uint32_t style) const;

  static void FillColor(HDC dc, const Rect& rc, uint32_t argb, Size round = Size{});
  void DrawImage(HDC dc, const Rect& control, const std::wstring& descriptor, const Rect* clip = nullptr);
  void DrawText(HDC dc, const Rect& rc, const std::wstring& text, uint32_t argb, int fontId, uint32_t style) const;

 private:
  void PaintControl(HDC dc, CControlUI& control);
  // A picture as the painter keeps it: decoded straight into the bitmap and
  // held nowhere else, so a 600x400 background costs its 940 KiB once.
  struct NativeImage {
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
  };
  // nullptr when the picture cannot be found or decoded (not remembered, so a
  // file that appears later is found).
  const NativeImage* ImageFor(const ImageDescriptor& descriptor);

  const CImageCache* images_;
  std::map<int, HFONT> fonts_;
  HFONT defaultFont_ = nullptr;
  std::map<ImageKey, NativeImage> bitmaps_;
};

}  // namespace Vellum
