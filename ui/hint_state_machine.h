// When a balloon shows and goes: the rest before the first balloon, the chain that shows the next
// control's balloon at once, the hide after a while, and cancelling. No window or real timer lies
// behind it; the host (the window shell: its clock, its two one-shot timers, its pointer and its
// controls) answers its questions and carries out its orders, so tests drive it with a fake clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/geometry.h"

namespace tarnwick::ui {

using HintControlId = const void*;

// The control whose hint applies at a point: the control under it or its nearest parent that
// carries a hint. An id of nullptr means the point has none.
struct HintControl {
  HintControlId id = nullptr;
  Rect bounds;       // screen coordinates
  std::string text;  // the hint text to show
};

struct BalloonRequest {
  HintControlId target = nullptr;
  std::string text;
  Point pointer;                                 // screen coordinates
  Point hintPoint;                               // the pointer moved below its visible shape
  std::optional<std::int64_t> msSinceLastShown;  // none before the first balloon
};

class HintHost {
 public:
  virtual ~HintHost() = default;
  virtual std::int64_t nowMs() const = 0;
  virtual Point pointerPos() const = 0;
  virtual HintControl hintControlUnderPointer() const = 0;
  // How far the pointer's visible shape reaches below its hot spot.
  virtual int pointerShapeBelowHotSpot() const = 0;
  virtual bool programWindowActive() const = 0;
  // Each timer fires once; starting a running timer restarts it. False: it could not be started.
  virtual bool startShowTimer(int ms) = 0;
  virtual void stopShowTimer() = 0;
  virtual bool startHideTimer(int ms) = 0;
  virtual void stopHideTimer() = 0;
  virtual void showBalloon(const BalloonRequest& request) = 0;
  virtual void hideBalloon() = 0;
};

class HintStateMachine {
 public:
  static constexpr int kShowDelay = 500;
  static constexpr int kReshowDelay = 0;
  static constexpr int kHideDelay = 2500;

  enum class State { Idle, Pending, Showing, Hidden };

  explicit HintStateMachine(HintHost& host) : host_(host) {}

  // Switching hints off cancels the hint and keeps balloons away until they are on again.
  void setHintsOn(bool on);
  bool hintsOn() const { return hintsOn_; }

  // A mouse move over one of the program's windows, with the hint control at its point.
  void mouseMove(Point pos, const HintControl& control);
  void showTimerFired();
  void hideTimerFired();
  // A key, a button, the wheel, a change of activation, or the pointer leaving the program.
  void cancel();

  State state() const;
  HintControlId target() const { return target_; }
  bool chainActive() const { return chainActive_; }

 private:
  void cancelHint(bool keepChain);
  void show();

  HintHost& host_;
  bool hintsOn_ = true;
  HintControlId target_ = nullptr;
  bool chainActive_ = false;
  bool showPending_ = false;
  bool balloonVisible_ = false;
  std::optional<Rect> shownBounds_;  // the target's bounds when its balloon was shown
  std::optional<std::int64_t> lastShownMs_;
};

}  // namespace tarnwick::ui
