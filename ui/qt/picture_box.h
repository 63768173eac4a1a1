// A picture control: an image drawn at its own size from the top left corner and cut to the box,
// or stretched smoothly to fill it, blended by the image's alpha over what lies beneath.
#pragma once

#include <QImage>
#include <QWidget>

namespace tarnwick::ui {

class PictureBox : public QWidget {
 public:
  enum class Fit { OwnSize, Stretch };

  PictureBox(const QImage& image, Fit fit, QWidget* parent = nullptr);

  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
  Fit fit_;
};

}  // namespace tarnwick::ui
