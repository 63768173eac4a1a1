// Where a balloon's body lies as seen from its stem's tip, and the offsets that put a window
// rectangle into each placement.
#pragma once

#include <ostream>

#include "ui/geometry.h"

namespace tarnwick::ui {

enum class BalloonPosition { Auto, LeftDown, RightDown, LeftUp, RightUp };

// Auto starts as LeftDown, so it counts as downward and left.
inline bool IsDownward(BalloonPosition p) {
  return p == BalloonPosition::Auto || p == BalloonPosition::LeftDown ||
         p == BalloonPosition::RightDown;
}
inline bool IsLeft(BalloonPosition p) {
  return p == BalloonPosition::Auto || p == BalloonPosition::LeftDown ||
         p == BalloonPosition::LeftUp;
}

// The offset that puts a rectangle of the given size, whose top left corner lies on the hint
// point, into the placement.
Point PlacementOffset(BalloonPosition placement, Size size, int stemInset, int cursorClearance);

// The point of the stem's tip of a window rectangle in the placement.
Point StemTip(BalloonPosition placement, const Rect& rect, int stemInset);

// Takes the old placement's offset off the rectangle and adds the new one's.
Rect ChangePlacement(const Rect& rect, BalloonPosition from, BalloonPosition to, int stemInset,
                     int cursorClearance);

inline std::ostream& operator<<(std::ostream& os, BalloonPosition p) {
  static const char* const names[] = {"Auto", "LeftDown", "RightDown", "LeftUp", "RightUp"};
  return os << names[static_cast<int>(p)];
}

}  // namespace tarnwick::ui
