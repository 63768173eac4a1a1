#include "ui/qt/balloon_hint_controller.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include "ui/balloon_show.h"
#include "ui/qt/balloon_window.h"
#include "ui/qt/text.h"

namespace tarnwick::ui {

namespace {

const char* const kControllerName = "balloonHintController";

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

BalloonHintController::BalloonHintController(ContentSource content, IconSource icon)
    : QObject(QCoreApplication::instance()), content_(std::move(content)), icon_(std::move(icon)) {
  setObjectName(QString::fromLatin1(kControllerName));
  showTimer_.setSingleShot(true);
  hideTimer_.setSingleShot(true);
  // Coarse timers may fire a few per cent early; the rest before a balloon is a promise.
  showTimer_.setTimerType(Qt::PreciseTimer);
  hideTimer_.setTimerType(Qt::PreciseTimer);
  connect(&showTimer_, &QTimer::timeout, this, [this] { machine_.showTimerFired(); });
  connect(&hideTimer_, &QTimer::timeout, this, [this] { machine_.hideTimerFired(); });
  clock_.start();
  qApp->installEventFilter(this);
}

BalloonHintController::~BalloonHintController() { qApp->removeEventFilter(this); }

BalloonHintController* BalloonHintController::active() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return nullptr;
  return app->findChild<BalloonHintController*>(QString::fromLatin1(kControllerName),
                                                Qt::FindDirectChildrenOnly);
}

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
  machine_.mouseMove({global.x(), global.y()}, hintControlUnderPointer());
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
  const QPoint origin = control->mapToGlobal(QPoint(0, 0));
  return {control, Rect::fromSize(origin.x(), origin.y(), control->width(), control->height()),
          ToBytes(HintTextOf(control))};
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
  BalloonScreen screen;
  if (primary) {
    const QRect work = primary->availableGeometry();
    const QRect desktop = primary->virtualGeometry();
    screen.workArea = Rect::fromSize(work.x(), work.y(), work.width(), work.height());
    screen.desktop = Rect::fromSize(desktop.x(), desktop.y(), desktop.width(), desktop.height());
  }
  screen.maxTextWidth = primary ? primary->geometry().width() : 1024;
  screen.cursorHeight = SystemCursorHeight();
  screen.animationOn = QApplication::isEffectEnabled(Qt::UI_AnimateTooltip);
  screen.fadeOn = QApplication::isEffectEnabled(Qt::UI_FadeTooltip);
  window_->showBalloon(PrepareBalloon(content_(), request, screen, window_->textMeasure()),
                       icon_());
}

void BalloonHintController::hideBalloon() {
  if (window_) window_->hide();
}

}  // namespace tarnwick::ui
