#include "ui/qt/shadow_label.h"

#include <QPainter>
#include <cstring>

namespace tarnwick::ui {

namespace {

Rgb ToRgb(QColor c) {
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

}  // namespace

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

QColor ShadowLabel::textColor() const {
  const Rgb c = LabelTextColor(kind_, ToRgb(fontColor()));
  return QColor(c.red, c.green, c.blue);
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
    painter.drawImage(
        0, 0, ToQImage(SoftShadowPicture(ToRgbaPicture(backdrop()), ToRgbaPicture(mask), shadow_)));
  }
  painter.setPen(textColor());
  painter.drawText(rect(), flags, text());
}

QImage ShadowMask(QSize size, const QFont& font, const QString& text, int flags, int distance) {
  QImage mask(size, QImage::Format_RGB32);
  mask.fill(Qt::black);
  QPainter painter(&mask);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(QPoint(distance, distance), size), flags, text);
  return mask;
}

RgbaPicture ToRgbaPicture(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  RgbaPicture picture(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    std::memcpy(picture.data() + static_cast<std::size_t>(y) * argb.width(), argb.constScanLine(y),
                static_cast<std::size_t>(argb.width()) * sizeof(std::uint32_t));
  }
  return picture;
}

QImage ToQImage(const RgbaPicture& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    std::memcpy(image.scanLine(y), picture.data() + static_cast<std::size_t>(y) * picture.width(),
                static_cast<std::size_t>(picture.width()) * sizeof(std::uint32_t));
  }
  return image;
}

}  // namespace tarnwick::ui
