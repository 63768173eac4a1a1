// Where a balloon goes on the screen: the offset of each placement from the hint point, the
// choice by the half of the work area, the flips at its edges, and the hold within the desktop.
#pragma once

#include "ui/balloon_geometry.h"
#include "ui/qt/balloon_layout.h"

namespace tarnwick::ui {

// The offset that puts a rectangle of the given size, whose top left corner lies on the hint
// point, into the placement; Auto counts as LeftDown.
BalloonPoint PlacementOffset(BalloonPosition placement, BalloonSize size, int stemInset,
                             int cursorClearance);

// The point of the stem's tip of a window rectangle in the placement.
BalloonPoint StemTip(BalloonPosition placement, const BalloonRect& rect, int stemInset);

// Takes the old placement's offset off the rectangle and adds the new one's.
BalloonRect ChangePlacement(const BalloonRect& rect, BalloonPosition from, BalloonPosition to,
                            int stemInset, int cursorClearance);

// Places a measured balloon whose window rectangle now stands at `screenRect` (the measured
// rectangle moved by the hint point) within the work area: picks the final placement, moves the
// rectangle there, and arranges the body, stem, header, message and icon for it.
BalloonLayout PlaceBalloon(BalloonLayout layout, const BalloonRect& screenRect,
                           const BalloonRect& workArea);

// Moves a window rectangle up, left or right so that it does not pass the desktop's edges.
BalloonRect HoldWithinDesktop(const BalloonRect& window, const BalloonRect& desktop);

}  // namespace tarnwick::ui
