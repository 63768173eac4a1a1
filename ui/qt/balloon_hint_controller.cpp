#include "ui/qt/balloon_hint_controller.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include "ui/qt/balloon_hint.h"
#include "ui/qt/balloon_placement.h"
#include "ui/qt/balloon_window.h"

namespace tarnwick::ui {

namespace {

BalloonHintController* g_active = nullptr;

QWidget* TopLevelOf(const QWindow* window) {
  if (!window) return nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->windowHandle() == window) return w;
  }
  return nullptr;
}

bool EndsHint(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::ApplicationStateChange:
      return true;
    default:
      return false;
  }
}

}  // namespace

QWidget* HintControlOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
    if (!w->toolTip().isEmpty()) return w;
  }
  return nullptr;
}

QString HintTextOf(const QWidget* control) {
  if (!control) return {};
  const QString tip = control->toolTip();
  return tip.left(tip.indexOf(u'|'));
}

int SystemCursorHeight() {
  // X cursor themes publish their size here; Qt does not report it otherwise.
  const int size = qEnvironmentVariableIntValue("XCURSOR_SIZE");
  return size > 0 ? size : 32;
}

BalloonHintController::BalloonHintController(const BalloonHint& settings, QObject* parent)
    : QObject(parent), settings_(settings) {
  showTimer_.setSingleShot(true);
  hideTimer_.setSingleShot(true);
  // Coarse timers may fire a few per cent early; the rest before a balloon is a promise.
  showTimer_.setTimerType(Qt::PreciseTimer);
  hideTimer_.setTimerType(Qt::PreciseTimer);
  connect(&showTimer_, &QTimer::timeout, this, [this] { machine_.showTimerFired(); });
  connect(&hideTimer_, &QTimer::timeout, this, [this] { machine_.hideTimerFired(); });
  clock_.start();
  qApp->installEventFilter(this);
  g_active = this;
}

BalloonHintController::~BalloonHintController() {
  qApp->removeEventFilter(this);
  if (g_active == this) g_active = nullptr;
}

BalloonHintController* BalloonHintController::active() { return g_active; }

void BalloonHintController::switchHintsOff() {
  machine_.setHintsOn(false);
  window_.reset();
}

BalloonWindow* BalloonHintController::balloonWindow() const { return window_.get(); }

bool BalloonHintController::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ToolTip) return true;
  // Moves reach the program's windows whether or not the control below tracks the mouse, so the
  // window level sees every move exactly once.
  if (type == QEvent::MouseMove && watched->isWindowType()) {
    const auto* move = static_cast<QMouseEvent*>(event);
    pointerMovedIn(static_cast<QWindow*>(watched), move->position().toPoint(),
                   move->globalPosition().toPoint());
  } else if (type == QEvent::Leave && watched->isWindowType()) {
    machine_.cancel();  // the pointer is over none of the program's controls now
  } else if (EndsHint(type)) {
    machine_.cancel();
  }
  return false;
}

void BalloonHintController::pointerMovedIn(QWindow* window, QPoint local, QPoint global) {
  pointerWindow_ = window;
  pointerLocal_ = local;
  pointer_ = global;
  machine_.mouseMove(global, hintControlUnderPointer());
}

QWidget* BalloonHintController::widgetUnderPointer() const {
  QWidget* top = TopLevelOf(pointerWindow_);
  if (!top || !top->isVisible()) return nullptr;
  QWidget* child = top->childAt(pointerLocal_);
  return child ? child : top;
}

std::int64_t BalloonHintController::nowMs() const { return clock_.elapsed(); }

HintControl BalloonHintController::hintControlUnderPointer() const {
  QWidget* control = HintControlOf(widgetUnderPointer());
  if (!control) return {};
  return {control, QRect(control->mapToGlobal(QPoint(0, 0)), control->size()), HintTextOf(control)};
}

int BalloonHintController::pointerShapeBelowHotSpot() const {
  if (const QWidget* w = widgetUnderPointer()) {
    const QCursor cursor = w->cursor();
    const QPixmap shape = cursor.pixmap();
    if (!shape.isNull()) return shape.height() - cursor.hotSpot().y();
  }
  return SystemCursorHeight();
}

bool BalloonHintController::programWindowActive() const {
  return QApplication::activeWindow() != nullptr;
}

bool BalloonHintController::startShowTimer(int ms) {
  showTimer_.start(ms);
  return showTimer_.isActive();
}

bool BalloonHintController::startHideTimer(int ms) {
  hideTimer_.start(ms);
  return hideTimer_.isActive();
}

void BalloonHintController::showBalloon(const BalloonRequest& request) {
  if (!window_) window_ = std::make_unique<BalloonWindow>();
  const QScreen* primary = QGuiApplication::primaryScreen();
  const int maxWidth = primary ? primary->geometry().width() : 1024;
  const BalloonLayout layout = MeasureBalloon(settings_.contentSettings(), request.text, maxWidth,
                                              SystemCursorHeight(), window_->textMeasure());
  const BalloonRect screenRect = layout.rect.moved(request.hintPoint.x(), request.hintPoint.y());

  BalloonAnimationInputs animation;
  animation.msSinceLastShown = request.msSinceLastShown;
  animation.textLength = request.text.size();
  animation.animationOn = QApplication::isEffectEnabled(Qt::UI_AnimateTooltip);
  animation.fadeOn = QApplication::isEffectEnabled(Qt::UI_FadeTooltip);
  animation.pointerY = request.pointer.y();
  window_->showBalloon(layout, screenRect, CurrentBalloonScreen(), settings_.iconPicture(),
                       animation);
}

void BalloonHintController::hideBalloon() {
  if (window_) window_->hide();
}

}  // namespace tarnwick::ui
