// The application-wide side of balloon hints: an event filter that keeps Qt's own tool tips
// away, follows the pointer over every window of the program, and runs the hint state machine
// with two timers, showing the balloon window when it says so.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "ui/balloon_layout.h"
#include "ui/hint_state_machine.h"

class QWidget;

namespace tarnwick::ui {

class BalloonWindow;

// The control whose hint applies to a widget: the widget or its nearest parent with a tool tip.
QWidget* HintControlOf(QWidget* widget);
// A control's hint text: its tool tip up to the first "|".
QString HintTextOf(const QWidget* control);

// How far the pointer reaches below its hot spot when its shape cannot be found out.
int SystemCursorHeight();

class BalloonHintController : public QObject, private HintHost {
  Q_OBJECT
 public:
  // What a balloon shows, asked afresh for every balloon.
  using ContentSource = std::function<BalloonContentSettings()>;
  using IconSource = std::function<QPixmap()>;

  // The application owns the controller; whoever turns balloons on deletes it to turn them off.
  BalloonHintController(ContentSource content, IconSource icon);
  ~BalloonHintController() override;

  // The controller in force, if balloons are on: the one the application holds.
  static BalloonHintController* active();

  void switchHintsOff();
  HintStateMachine& machine() { return machine_; }
  // The balloon window, created when the first balloon shows.
  BalloonWindow* balloonWindow() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pointerMovedIn(QWindow* window, QPoint local, QPoint global);
  QWidget* widgetUnderPointer() const;

  std::int64_t nowMs() const override;
  Point pointerPos() const override { return {pointer_.x(), pointer_.y()}; }
  HintControl hintControlUnderPointer() const override;
  int pointerShapeBelowHotSpot() const override;
  bool programWindowActive() const override;
  bool startShowTimer(int ms) override;
  void stopShowTimer() override { showTimer_.stop(); }
  bool startHideTimer(int ms) override;
  void stopHideTimer() override { hideTimer_.stop(); }
  void showBalloon(const BalloonRequest& request) override;
  void hideBalloon() override;

  ContentSource content_;
  IconSource icon_;
  HintStateMachine machine_{*this};
  QTimer showTimer_;
  QTimer hideTimer_;
  QElapsedTimer clock_;
  QPointer<QWindow> pointerWindow_;
  QPoint pointerLocal_;
  QPoint pointer_;
  std::unique_ptr<BalloonWindow> window_;
};

}  // namespace tarnwick::ui
