// A toolbar button with a 32 by 32 picture above its caption, the pair centred in the button.
#pragma once

#include <QPushButton>
#include <memory>

class QSvgRenderer;

namespace tarnwick::ui {

class PictureButton : public QPushButton {
  Q_OBJECT

 public:
  PictureButton(const QString& caption, const QString& picture, QWidget* parent = nullptr);
  ~PictureButton() override;

  static constexpr int PictureSize = 32;
  static constexpr int PictureGap = 4;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<QSvgRenderer> picture_;
};

}  // namespace tarnwick::ui
