#include "ui/hint_state_machine.h"

namespace tarnwick::ui {

void HintStateMachine::setHintsOn(bool on) {
  if (!on) cancel();
  hintsOn_ = on;
}

void HintStateMachine::mouseMove(Point pos, const HintControl& control) {
  if (!control.id) {
    cancel();
    return;
  }
  if (control.id == target_ && shownBounds_ && shownBounds_->contains(pos)) return;
  const int wait = chainActive_ ? kReshowDelay : kShowDelay;
  if (!chainActive_ || wait > 0) {
    cancelHint(/*keepChain=*/true);
    target_ = control.id;
    showPending_ = host_.startShowTimer(wait);
    if (!showPending_) cancel();
    return;
  }
  target_ = control.id;
  show();
}

void HintStateMachine::showTimerFired() {
  if (!showPending_) return;
  showPending_ = false;
  show();
}

void HintStateMachine::hideTimerFired() {
  if (!balloonVisible_) return;
  host_.hideBalloon();
  balloonVisible_ = false;
}

void HintStateMachine::cancel() { cancelHint(/*keepChain=*/false); }

HintStateMachine::State HintStateMachine::state() const {
  if (!target_) return State::Idle;
  if (balloonVisible_) return State::Showing;
  if (showPending_) return State::Pending;
  return State::Hidden;
}

void HintStateMachine::cancelHint(bool keepChain) {
  if (balloonVisible_) host_.hideBalloon();
  balloonVisible_ = false;
  if (showPending_) host_.stopShowTimer();
  showPending_ = false;
  host_.stopHideTimer();
  target_ = nullptr;
  // Forgetting the bounds makes every move within a control restart the wait until its balloon
  // has been shown.
  shownBounds_.reset();
  if (!keepChain) chainActive_ = false;
}

void HintStateMachine::show() {
  const HintControl under = hintsOn_ ? host_.hintControlUnderPointer() : HintControl{};
  if (!under.id || under.id != target_ || !host_.programWindowActive() || under.text.empty()) {
    cancel();
    return;
  }
  BalloonRequest request;
  request.target = target_;
  request.text = under.text;
  request.pointer = host_.pointerPos();
  request.hintPoint = {request.pointer.x, request.pointer.y + host_.pointerShapeBelowHotSpot()};
  const std::int64_t now = host_.nowMs();
  if (lastShownMs_) request.msSinceLastShown = now - *lastShownMs_;
  host_.showBalloon(request);
  lastShownMs_ = now;
  balloonVisible_ = true;
  chainActive_ = true;
  shownBounds_ = under.bounds;
  if (!host_.startHideTimer(kHideDelay)) cancel();
}

}  // namespace tarnwick::ui
