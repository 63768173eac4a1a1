#include "ui/balloon_show.h"

#include "ui/balloon_placement.h"

namespace tarnwick::ui {

PreparedBalloon PrepareBalloon(const BalloonContentSettings& settings,
                               const BalloonRequest& request, const BalloonScreen& screen,
                               const BalloonTextMeasure& measure) {
  PreparedBalloon b;
  const BalloonLayout measured =
      MeasureBalloon(settings, request.text, screen.maxTextWidth, screen.cursorHeight, measure);
  const Rect atHintPoint = measured.rect.moved(request.hintPoint.x, request.hintPoint.y);
  b.layout = PlaceBalloon(measured, atHintPoint, screen.workArea);
  b.shape = ShapeOf(b.layout);
  b.region = BalloonRegion(b.shape);
  b.outline = BalloonOutline(b.region);
  b.window = BalloonWindowRect(b.layout, screen.desktop);

  BalloonAnimationInputs animation;
  animation.msSinceLastShown = request.msSinceLastShown;
  animation.textLength = static_cast<std::int64_t>(request.text.size());
  animation.animationOn = screen.animationOn;
  animation.fadeOn = screen.fadeOn;
  animation.pointerY = request.pointer.y;
  animation.balloonTop = b.window.top;
  b.animation = ChooseBalloonAnimation(animation);
  return b;
}

}  // namespace tarnwick::ui
