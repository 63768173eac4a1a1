// Where a balloon goes on the screen: the choice by the half of the work area, the flips at its
// edges, the inside arranged for the final placement, and the hold within the desktop.
#pragma once

#include "ui/balloon_layout.h"
#include "ui/geometry.h"

namespace tarnwick::ui {

// Places a measured balloon whose window rectangle now stands at `screenRect` (the measured
// rectangle moved by the hint point) within the work area: picks the final placement, moves the
// rectangle there, and arranges the body, stem, header, message and icon for it.
BalloonLayout PlaceBalloon(BalloonLayout layout, const Rect& screenRect, const Rect& workArea);

// Moves a window rectangle up, left or right so that it does not pass the desktop's edges.
Rect HoldWithinDesktop(const Rect& window, const Rect& desktop);

// The balloon window's screen rectangle for a placed balloon: four rows taller than the
// balloon, the extra rows outside its shape, held within the desktop.
Rect BalloonWindowRect(const BalloonLayout& placed, const Rect& desktop);

}  // namespace tarnwick::ui
