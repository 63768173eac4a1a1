#include "ui/qt/shadow_label.h"

#include <QPainter>

#include "ui/qt/shadow.h"

namespace tarnwick::ui {

SchemeLabel::SchemeLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAutoFillBackground(false);
  // The font colour, whatever the background it lies on.
  setForegroundRole(QPalette::WindowText);
  setFontColor(Qt::black);
}

QColor SchemeLabel::fontColor() const { return palette().color(QPalette::WindowText); }

void SchemeLabel::setFontColor(QColor color) {
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, color);
  setPalette(colours);
}

ShadowLabel::ShadowLabel(const QString& text, QWidget* parent) : SchemeLabel(text, parent) {}

void ShadowLabel::setShadow(const LabelShadow& shadow) {
  shadow_ = shadow;
  update();
}

void ShadowLabel::setKind(const LabelKind& kind) {
  kind_ = kind;
  update();
}

QColor ShadowLabel::textColor() const {
  return kind_.kindType == TextKind::Scheme ? kind_.color : fontColor();
}

QImage ShadowLabel::backdrop() const {
  QImage picture(size(), QImage::Format_RGB32);
  QWidget* parent = parentWidget();
  if (parent == nullptr) {
    picture.fill(palette().color(backgroundRole()));
    return picture;
  }
  picture.fill(parent->palette().color(parent->backgroundRole()));
  parent->render(&picture, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
  return picture;
}

void ShadowLabel::paintEvent(QPaintEvent*) {
  const int flags = static_cast<int>(alignment());
  QPainter painter(this);
  painter.setFont(font());
  if (shadow_.mode == ShadowMode::Soft) {
    const QImage mask = ShadowMask(size(), font(), text(), flags, shadow_.distance);
    QImage picture = backdrop();
    ComposeShadow(picture, BlurShadowMask(mask, shadow_.blurCount), shadow_.color);
    painter.drawImage(0, 0, picture);
  }
  painter.setPen(textColor());
  painter.drawText(rect(), flags, text());
}

}  // namespace tarnwick::ui
