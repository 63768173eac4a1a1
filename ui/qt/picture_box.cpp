#include "ui/qt/picture_box.h"

#include <QPainter>

namespace tarnwick::ui {

PictureBox::PictureBox(const QImage& image, Fit fit, QWidget* parent)
    : QWidget(parent), image_(image), fit_(fit) {}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (fit_ == Fit::Stretch) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image_);
  } else {
    painter.drawImage(0, 0, image_);
  }
}

}  // namespace tarnwick::ui
