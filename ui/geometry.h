// Plain pixel geometry shared by both windows: rectangles whose right and bottom edges lie just
// past the last pixel, so that widths, edges and offsets add up the way the window's rules count
// them. A window shell converts to and from its toolkit's types at its edge.
#pragma once

#include <algorithm>
#include <ostream>

namespace tarnwick::ui {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static Rect fromSize(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
  }
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  Size size() const { return {width(), height()}; }
  Point topLeft() const { return {left, top}; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Rect movedTo(int x, int y) const { return moved(x - left, y - top); }
  Rect united(const Rect& other) const {
    if (other.isEmpty()) return *this;
    if (isEmpty()) return other;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
  }
  bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Point& p) {
  return os << "(" << p.x << ", " << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const Size& s) {
  return os << s.width << " x " << s.height;
}
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

}  // namespace tarnwick::ui
