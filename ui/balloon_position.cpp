#include "ui/balloon_position.h"

namespace tarnwick::ui {

Point PlacementOffset(BalloonPosition placement, Size size, int stemInset, int cursorClearance) {
  const int x = IsLeft(placement) ? stemInset - size.width : -stemInset;
  const int y = IsDownward(placement) ? 0 : -size.height - cursorClearance;
  return {x, y};
}

Point StemTip(BalloonPosition placement, const Rect& rect, int stemInset) {
  const int x = IsLeft(placement) ? rect.right - stemInset : rect.left + stemInset;
  const int y = IsDownward(placement) ? rect.top : rect.bottom;
  return {x, y};
}

Rect ChangePlacement(const Rect& rect, BalloonPosition from, BalloonPosition to, int stemInset,
                     int cursorClearance) {
  const Point off = PlacementOffset(from, rect.size(), stemInset, cursorClearance);
  const Point on = PlacementOffset(to, rect.size(), stemInset, cursorClearance);
  return rect.moved(on.x - off.x, on.y - off.y);
}

}  // namespace tarnwick::ui
