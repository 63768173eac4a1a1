#include "ui/balloon_placement.h"

namespace tarnwick::ui {

namespace {

BalloonPosition UpwardOf(BalloonPosition p) {
  return IsLeft(p) ? BalloonPosition::LeftUp : BalloonPosition::RightUp;
}
BalloonPosition DownwardOf(BalloonPosition p) {
  return IsLeft(p) ? BalloonPosition::LeftDown : BalloonPosition::RightDown;
}
BalloonPosition LeftOf(BalloonPosition p) {
  return IsDownward(p) ? BalloonPosition::LeftDown : BalloonPosition::LeftUp;
}
BalloonPosition RightOf(BalloonPosition p) {
  return IsDownward(p) ? BalloonPosition::RightDown : BalloonPosition::RightUp;
}

}  // namespace

BalloonLayout PlaceBalloon(BalloonLayout layout, const Rect& screenRect, const Rect& wa) {
  const int inset = layout.stemInset;
  const int clearance = layout.cursorClearance;
  Rect rect = screenRect;
  BalloonPosition placement = layout.placement;
  auto moveTo = [&](BalloonPosition to) {
    rect = ChangePlacement(rect, placement, to, inset, clearance);
    placement = to;
  };

  if (placement == BalloonPosition::Auto) {
    placement = BalloonPosition::LeftDown;
    const Point tip = StemTip(placement, rect, inset);
    const bool up = 2 * tip.y < wa.top + wa.bottom;
    const bool right = 2 * tip.x >= wa.left + wa.right;
    moveTo(right ? (up ? BalloonPosition::RightUp : BalloonPosition::RightDown)
                 : (up ? BalloonPosition::LeftUp : BalloonPosition::LeftDown));
  }

  // All four edge rules judge the rectangle as it stands before any of them moves it.
  BalloonPosition decided = placement;
  if (rect.bottom > wa.bottom && IsDownward(decided)) decided = UpwardOf(decided);
  if (rect.right > wa.right && !IsLeft(decided)) decided = LeftOf(decided);
  if (rect.left < wa.left && IsLeft(decided)) decided = RightOf(decided);
  if (rect.top < wa.top && !IsDownward(decided)) decided = DownwardOf(decided);
  if (decided != placement) moveTo(decided);

  if (rect.left < wa.left && IsLeft(placement)) moveTo(RightOf(placement));
  if (rect.top < wa.top && !IsDownward(placement)) moveTo(DownwardOf(placement));

  layout.placement = placement;
  layout.rect = rect;
  if (IsDownward(placement)) {
    const int drop = layout.stemHeight - 1;
    layout.bodyArea = layout.bodyArea.moved(0, drop);
    layout.headerArea = layout.headerArea.moved(0, drop);
    layout.messageArea = layout.messageArea.moved(0, drop);
    layout.iconOrigin.y += layout.stemHeight;
    layout.stemArea = layout.stemArea.movedTo(layout.stemArea.left, 0);
  }
  if (IsLeft(placement)) {
    const int w = layout.bodyArea.width();
    layout.stemArea = layout.stemArea.moved(w - 2 * inset - layout.stemWidth, 0);
  }
  return layout;
}

Rect HoldWithinDesktop(const Rect& window, const Rect& desktop) {
  Rect r = window;
  if (r.bottom > desktop.bottom) r = r.moved(0, desktop.bottom - r.bottom);
  if (r.right > desktop.right) r = r.moved(desktop.right - r.right, 0);
  if (r.left < desktop.left) r = r.moved(desktop.left - r.left, 0);
  return r;
}

Rect BalloonWindowRect(const BalloonLayout& placed, const Rect& desktop) {
  Rect window = placed.rect;
  window.bottom += 4;
  return HoldWithinDesktop(window, desktop);
}

}  // namespace tarnwick::ui
