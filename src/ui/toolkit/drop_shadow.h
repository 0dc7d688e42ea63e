// The soft, coloured shadow around a skinned window: a layered, mouse-
// transparent companion window owned by its parent. The parent's window
// procedure is subclassed so that the shadow follows it (moves, sizes, hides
// with it, re-renders when it is activated, painted or shown).
//
// Owner: the parent's frame window (one shadow per window). Thread: the
// window's thread; the process-wide parent map is touched on the main thread
// only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "ui/toolkit/geometry.h"
#include "ui/toolkit/image_data.h"
#include "ui/toolkit/shadow_pixels.h"

namespace Vellum {

class CDropShadow {
 public:
  // Status bits.
  enum : uint8_t { kEnabled = 0x1, kVisible = 0x2, kParentVisible = 0x4 };

  CDropShadow() = default;
  // Removes the parent from the map and gives it back its own window procedure
  // when it still exists, posts a close message to the shadow window, and
  // frees the image.
  virtual ~CDropShadow();
  CDropShadow(const CDropShadow&) = delete;
  CDropShadow& operator=(const CDropShadow&) = delete;

  // Once per process, before any window: finds the layered-window update
  // function and, when there is one, registers the class "VellumShadowWnd".
  // Without it every later Create does nothing. Returns whether shadows can be shown.
  static bool Initialize(HINSTANCE instance);
  static bool IsAvailable();

  // Creates the shadow window for parent and subclasses the parent. Does
  // nothing without the layered-window function or when already created.
  void Create(HWND parent);

  // Each refuses (false, nothing changed) a value outside its range; otherwise
  // stores it and re-renders at once when the shadow is visible.
  bool SetSize(int size);             // -20..20
  bool SetSharpness(int sharpness);   // 0..20
  bool SetDarkness(int darkness);     // 0..255
  bool SetPosition(int x, int y);     // -20..20 each
  bool SetColor(uint32_t color);      // red in the lowest byte; the top byte is ignored
  // The picture drawn instead of the computed shadow, with two sets of
  // margins; false when it cannot be loaded (from the skin archive, then as a
  // file path).
  bool SetImage(const std::wstring& image, const Rect& corner, const Rect& holeOffset);

  HWND GetShadowWindow() const { return shadow_; }
  HWND GetParentWindow() const { return parent_; }
  uint8_t GetStatus() const { return status_; }
  const ShadowParams& GetParams() const { return params_; }
  // The shadow window's place for the parent's current rectangle.
  POINT Place() const;
  // The drawing last handed to the layered window (for checks of what it shows).
  const ShadowBitmap& GetLastRender() const { return lastRender_; }
  // The shadow of a parent window, or nullptr.
  static CDropShadow* FromParent(HWND parent);

 private:
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ShadowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnParentMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnParentSize(WPARAM wParam, LPARAM lParam);
  void OnParentShow(bool show);
  void Show();
  void Hide();
  // Draws the shadow for the parent's current size and hands it to the
  // layered window at its place.
  void Render();
  ShadowBitmap Draw(int width, int height) const;
  void RenderIfVisible();

  HWND shadow_ = nullptr;
  HWND parent_ = nullptr;
  WNDPROC parentProc_ = nullptr;
  uint8_t status_ = 0;
  ShadowParams params_;
  uint16_t lastWidth_ = 0, lastHeight_ = 0;
  bool pendingUpdate_ = false;
  std::shared_ptr<const ImageData> image_;
  Rect imageCorner_;
  Rect imageHole_;
  ShadowBitmap lastRender_;
};

}  // namespace Vellum
