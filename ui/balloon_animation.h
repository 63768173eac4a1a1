// Whether and how a balloon eases in: only the first of a quick run of balloons, and only a
// short one, animates, so that moving along the toolbar does not make the balloons flicker.
#pragma once

#include <cstdint>
#include <optional>

namespace tarnwick::ui {

enum class BalloonAnimation { None, Fade, SlideDown, SlideUp };

struct BalloonAnimationInputs {
  std::optional<std::int64_t> msSinceLastShown;  // none before the program's first balloon
  std::int64_t textLength = 0;                   // in bytes of the hint text
  bool animationOn = false;                      // the system's tool-tip animation setting
  bool fadeOn = false;                           // the system's tool-tip fade setting
  int pointerY = 0;                              // screen coordinates
  int balloonTop = 0;
};

inline constexpr int kBalloonAnimationMs = 100;

BalloonAnimation ChooseBalloonAnimation(const BalloonAnimationInputs& in);

}  // namespace tarnwick::ui
