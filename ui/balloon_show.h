// Everything a window shell needs to show one balloon, decided in one call: the layout for the
// hint text, the placement on the screen, the shape and its frame, the window's rectangle and
// whether it eases in.
#pragma once

#include "ui/balloon_animation.h"
#include "ui/balloon_layout.h"
#include "ui/balloon_shape.h"
#include "ui/geometry.h"
#include "ui/hint_state_machine.h"

namespace tarnwick::ui {

// What the system says about the screen and the pointer, asked afresh for every balloon.
struct BalloonScreen {
  Rect workArea;         // the primary monitor less the taskbar
  Rect desktop;          // the rectangle spanning all monitors
  int maxTextWidth = 0;  // the primary screen's width
  int cursorHeight = 0;  // the system's cursor height
  bool animationOn = false;
  bool fadeOn = false;
};

struct PreparedBalloon {
  BalloonLayout layout;  // placed: coordinates inside the balloon window
  BalloonShape shape;
  PixelRegion region;   // the window is cut to it
  PixelRegion outline;  // the one-pixel frame
  Rect window;          // screen rectangle of the balloon window
  BalloonAnimation animation = BalloonAnimation::None;
};

PreparedBalloon PrepareBalloon(const BalloonContentSettings& settings,
                               const BalloonRequest& request, const BalloonScreen& screen,
                               const BalloonTextMeasure& measure);

}  // namespace tarnwick::ui
