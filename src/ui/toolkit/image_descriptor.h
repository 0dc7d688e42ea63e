// The image descriptor of markup attributes: either a plain path, or
// key='value' pairs separated by blanks (file, dest, corner, mask, fade, hole,
// xtiled, ytiled). Painting reads the drawing keys; loading reads file and mask.
#pragma once
#include <cstdint>
#include <string>

#include "ui/toolkit/geometry.h"

namespace Vellum {

struct ImageDescriptor {
  std::wstring file;
  bool hasDest = false;
  Rect dest;         // relative to the control's top-left corner
  Rect corner;       // nine-grid margins drawn unscaled
  bool hasMask = false;
  uint32_t mask = 0; // 0xAARRGGBB; a value written with six digits or fewer is opaque
  uint8_t fade = 255;
  bool hole = false;
  bool xtiled = false;
  bool ytiled = false;

  // Never fails: unknown keys are ignored, and parsing stops at the first pair
  // that is not key='value' (the pairs before it stay). Text without any "='" is
  // a plain path.
  static ImageDescriptor Parse(const std::wstring& text);
};

}  // namespace Vellum
