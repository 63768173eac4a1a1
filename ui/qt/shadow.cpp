#include "ui/qt/shadow.h"

#include <QPainter>

namespace tarnwick::ui {

ShadowMap::ShadowMap(int width, int height)
    : width_(width),
      height_(height),
      cells_(static_cast<std::size_t>(width + 2) * static_cast<std::size_t>(height + 2), 0) {}

ShadowMap BlurShadowMask(const QImage& mask, int blurCount) {
  const int width = mask.width();
  const int height = mask.height();
  ShadowMap map(width, height);
  for (int pass = 0; pass < blurCount; ++pass) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (qBlue(mask.pixel(x, y)) != 0) map.at(x, y) = 255;
      }
    }
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int sum = map.at(x, y - 1) + map.at(x, y + 1) + map.at(x - 1, y) + map.at(x + 1, y);
        map.at(x, y) = static_cast<std::uint8_t>(sum >> 2);
      }
    }
  }
  return map;
}

void ComposeShadow(QImage& picture, const ShadowMap& map, QColor shadow) {
  Q_ASSERT(picture.width() == map.width() && picture.height() == map.height());
  if (picture.format() != QImage::Format_RGB32) picture.convertTo(QImage::Format_RGB32);
  const int shadowRed = shadow.red();
  const int shadowGreen = shadow.green();
  const int shadowBlue = shadow.blue();
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const int a = map.at(x, y);
      const auto blend = [a](int channel, int shadowChannel) {
        return (channel * (255 - a) + shadowChannel * a) >> 8;
      };
      const QRgb pixel = line[x];
      line[x] = qRgb(blend(qRed(pixel), shadowRed), blend(qGreen(pixel), shadowGreen),
                     blend(qBlue(pixel), shadowBlue));
    }
  }
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

}  // namespace tarnwick::ui
