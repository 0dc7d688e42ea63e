// The frame's part of the drop shadow: create it for this window and hand it
// the markup's settings, in the order the shadow attributes are listed.
#include "ui/toolkit/shadow_markup.h"
#include "ui/toolkit/skin_frame.h"

namespace Vellum {

void CSkinFrame::ShowShadow() {
  ShadowMarkup m = ReadShadowMarkup(manager_.GetWindowAttributes());
  if (!m.show) return;
  shadow_.Create(GetHWND());
  if (m.image) shadow_.SetImage(*m.image, m.corner, m.corner);
  if (m.size) shadow_.SetSize(*m.size);
  if (m.sharpness) shadow_.SetSharpness(*m.sharpness);
  if (m.darkness) shadow_.SetDarkness(*m.darkness);
  if (m.position) shadow_.SetPosition(m.position->x, m.position->y);
  if (m.color) shadow_.SetColor(*m.color);
}

}  // namespace Vellum
