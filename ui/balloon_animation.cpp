#include "ui/balloon_animation.h"

namespace tarnwick::ui {

BalloonAnimation ChooseBalloonAnimation(const BalloonAnimationInputs& in) {
  const bool longAgo = !in.msSinceLastShown || *in.msSinceLastShown > 250;
  if (!longAgo || in.textLength >= 100 || !in.animationOn) return BalloonAnimation::None;
  if (in.fadeOn) return BalloonAnimation::Fade;
  return in.pointerY <= in.balloonTop ? BalloonAnimation::SlideDown : BalloonAnimation::SlideUp;
}

}  // namespace tarnwick::ui
