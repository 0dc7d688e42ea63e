// The drop-shadow settings a markup file's "Window" element carries as custom
// attributes, read in the order the frame applies them: showshadow (without
// "true" nothing else is read), shadowimage with shadowcorner, shadowholeoffset
// (read, without effect), shadowsize, shadowsharpness, shadowdarkness,
// shadowposition, shadowcolor.
//
// Values are passed on as written; the shadow's setters refuse those out of
// range. Pure; any thread.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "ui/toolkit/geometry.h"
#include "ui/toolkit/window_attributes.h"

namespace Vellum {

struct ShadowMarkup {
  bool show = false;
  std::optional<std::wstring> image;
  Rect corner;  // used for both sets of image margins
  std::optional<Rect> holeOffset;
  std::optional<int> size;
  std::optional<int> sharpness;
  std::optional<int> darkness;
  std::optional<Point> position;
  std::optional<uint32_t> color;  // hexadecimal, an optional leading "#"
};

ShadowMarkup ReadShadowMarkup(const WindowAttributes& window);

}  // namespace Vellum
