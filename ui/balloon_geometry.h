// Plain pixel geometry of a balloon: rectangles whose right and bottom edges lie just past the
// last pixel, so that widths, edges and offsets add up the way the layout rules count them.
#pragma once

#include <algorithm>
#include <ostream>

namespace tarnwick::ui {

struct BalloonPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const BalloonPoint&, const BalloonPoint&) = default;
};

struct BalloonSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const BalloonSize&, const BalloonSize&) = default;
};

struct BalloonRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static BalloonRect fromSize(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
  }
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  BalloonRect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  BalloonRect movedTo(int x, int y) const { return moved(x - left, y - top); }
  BalloonRect united(const BalloonRect& other) const {
    if (other.isEmpty()) return *this;
    if (isEmpty()) return other;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
  }
  bool contains(BalloonPoint p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  friend bool operator==(const BalloonRect&, const BalloonRect&) = default;
};

// Where the balloon's body lies as seen from the stem's tip.
enum class BalloonPosition { Auto, LeftDown, RightDown, LeftUp, RightUp };

inline bool IsDownward(BalloonPosition p) {
  return p == BalloonPosition::Auto || p == BalloonPosition::LeftDown ||
         p == BalloonPosition::RightDown;
}
inline bool IsLeft(BalloonPosition p) {
  return p == BalloonPosition::Auto || p == BalloonPosition::LeftDown ||
         p == BalloonPosition::LeftUp;
}

inline std::ostream& operator<<(std::ostream& os, const BalloonPoint& p) {
  return os << "(" << p.x << ", " << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const BalloonRect& r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline std::ostream& operator<<(std::ostream& os, BalloonPosition p) {
  static const char* const names[] = {"Auto", "LeftDown", "RightDown", "LeftUp", "RightUp"};
  return os << names[static_cast<int>(p)];
}

}  // namespace tarnwick::ui
