// Plain geometry of the toolkit: window-relative pixel rectangles, sizes and
// points. Rectangles are half-open: right and bottom lie just outside.
#pragma once

namespace Vellum {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Size {
  int cx = 0;
  int cy = 0;
  bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
  bool operator!=(const Size& o) const { return !(*this == o); }
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const Rect& o) const { return !(*this == o); }
};

}  // namespace Vellum
