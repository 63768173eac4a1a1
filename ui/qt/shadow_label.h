// Labels that could follow a program-wide appearance scheme. Tarnwick never has one active, so
// both always draw by their own settings.
#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>

#include "ui/shadow.h"

namespace tarnwick::ui {

// A transparent label drawn in its font colour.
class SchemeLabel : public QLabel {
  Q_OBJECT

 public:
  explicit SchemeLabel(const QString& text, QWidget* parent = nullptr);

  QColor fontColor() const;
  void setFontColor(QColor color);
};

// A caption drawn over a soft shadow of itself that lies `distance` pixels below and to the
// right and fades out over about `blurCount` pixels.
class ShadowLabel : public SchemeLabel {
  Q_OBJECT

 public:
  explicit ShadowLabel(const QString& text, QWidget* parent = nullptr);

  const LabelShadow& shadow() const { return shadow_; }
  const LabelKind& kind() const { return kind_; }

  QColor textColor() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // What the label covers: its parent's own painting, without the parent's other children.
  QImage backdrop() const;

  LabelShadow shadow_;
  LabelKind kind_;
};

// The mask of a caption: `size` pixels of black with `text` drawn in white in `font` with the
// alignment `flags`, moved right and down by `distance` pixels.
QImage ShadowMask(QSize size, const QFont& font, const QString& text, int flags, int distance);

// The same pixels between Qt's 32-bit pictures and the window logic's.
RgbaPicture ToRgbaPicture(const QImage& image);
QImage ToQImage(const RgbaPicture& picture);

}  // namespace tarnwick::ui
