#include "ui/qt/balloon_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QToolTip>
#include <QVariantAnimation>
#include <climits>

#include "ui/qt/text.h"

namespace tarnwick::ui {

namespace {

// Texts wrap at word boundaries, expand tabs and show "&" as itself.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

QRegion ToQRegion(const PixelRegion& pixels) {
  QRegion region;
  for (const Rect& run : pixels.runs) region += ToQRect(run);
  return region;
}

}  // namespace

BalloonWindow::BalloonWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
  // A tool-tip window keeps the drop shadow the system gives such windows, where it has one.
  setObjectName("balloonWindow");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

BalloonWindow::~BalloonWindow() = default;

QFont BalloonWindow::messageFont() const {
  QFont font = QApplication::font("QStatusBar");
  font.setBold(false);
  return font;
}

QFont BalloonWindow::headerFont() const {
  QFont font = QApplication::font("QStatusBar");
  font.setBold(true);
  return font;
}

BalloonTextMeasure BalloonWindow::textMeasure() const {
  return [header = headerFont(), message = messageFont()](BalloonText which,
                                                          const std::string& text, int maxWidth) {
    const QFontMetrics metrics(which == BalloonText::Header ? header : message);
    const QRect r =
        metrics.boundingRect(QRect(0, 0, maxWidth, INT_MAX / 2), kTextFlags, ToQString(text));
    return Size{r.width(), r.height()};
  };
}

void BalloonWindow::showBalloon(const PreparedBalloon& balloon, const QPixmap& icon) {
  if (running_) running_->stop();
  if (isVisible()) hide();

  layout_ = balloon.layout;
  icon_ = icon;
  region_ = ToQRegion(balloon.region);
  outline_ = ToQRegion(balloon.outline);
  setGeometry(ToQRect(balloon.window));

  animation_ = balloon.animation;
  slideOffset_ = 0;
  setWindowOpacity(1.0);
  setMask(region_);
  startAnimation(animation_);
  show();
  raise();
}

void BalloonWindow::startAnimation(BalloonAnimation kind) {
  if (kind == BalloonAnimation::None) return;
  auto* anim = new QVariantAnimation(this);
  anim->setDuration(kBalloonAnimationMs);
  if (kind == BalloonAnimation::Fade) {
    setWindowOpacity(0.0);
    anim->setStartValue(0.0);
    anim->setEndValue(1.0);
    connect(anim, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& v) { setWindowOpacity(v.toDouble()); });
  } else {
    // A downward slide brings the balloon in from above its place, an upward one from below.
    // Qt takes an empty mask for no mask at all, so the slide starts with a sliver in sight.
    int start = kind == BalloonAnimation::SlideDown ? -height() : height();
    while (start != 0 && (region_.translated(0, start) & QRegion(rect())).isEmpty()) {
      start += start < 0 ? 1 : -1;
    }
    setSlideOffset(start);
    anim->setStartValue(start);
    anim->setEndValue(0);
    connect(anim, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& v) { setSlideOffset(v.toInt()); });
  }
  running_ = anim;
  anim->start(QAbstractAnimation::DeleteWhenStopped);
}

void BalloonWindow::setSlideOffset(int offset) {
  slideOffset_ = offset;
  setMask(region_.translated(0, offset) & QRegion(rect()));
  update();
}

void BalloonWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.translate(0, slideOffset_);
  const QPalette palette = QToolTip::palette();
  p.setClipRegion(region_);
  p.fillRect(region_.boundingRect(), palette.color(QPalette::ToolTipBase));
  for (const QRect& r : outline_) p.fillRect(r, Qt::black);
  if (layout_.hasIcon && !icon_.isNull()) {
    p.drawPixmap(layout_.iconOrigin.x, layout_.iconOrigin.y, icon_);
  }
  p.setPen(palette.color(QPalette::ToolTipText));
  p.setFont(messageFont());
  p.drawText(ToQRect(layout_.messageArea), kTextFlags, ToQString(layout_.messageText));
  if (layout_.hasHeader) {
    p.setFont(headerFont());
    p.drawText(ToQRect(layout_.headerArea), kTextFlags, ToQString(layout_.headerText));
  }
}

}  // namespace tarnwick::ui
