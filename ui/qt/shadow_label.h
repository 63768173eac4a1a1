// Labels that could follow a program-wide appearance scheme. Tarnwick never has one active, so
// both always draw by their own settings.
#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>

namespace tarnwick::ui {

// A transparent label drawn in its font colour.
class SchemeLabel : public QLabel {
  Q_OBJECT

 public:
  explicit SchemeLabel(const QString& text, QWidget* parent = nullptr);

  QColor fontColor() const;
  void setFontColor(QColor color);
};

enum class ShadowMode { None, Soft };

struct LabelShadow {
  ShadowMode mode = ShadowMode::Soft;
  QColor color = Qt::black;
  int blurCount = 4;
  int distance = 1;
};

// Where the text colour comes from: the font colour, or the colour the scheme would give, which
// with no scheme active is the kind's own colour.
enum class TextKind { Font, Scheme };

struct LabelKind {
  TextKind kindType = TextKind::Scheme;
  QColor color = Qt::white;
};

// A caption drawn over a soft shadow of itself that lies `distance` pixels below and to the
// right and fades out over about `blurCount` pixels.
class ShadowLabel : public SchemeLabel {
  Q_OBJECT

 public:
  explicit ShadowLabel(const QString& text, QWidget* parent = nullptr);

  const LabelShadow& shadow() const { return shadow_; }
  void setShadow(const LabelShadow& shadow);
  const LabelKind& kind() const { return kind_; }
  void setKind(const LabelKind& kind);

  QColor textColor() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // What the label covers: its parent's own painting, without the parent's other children.
  QImage backdrop() const;

  LabelShadow shadow_;
  LabelKind kind_;
};

}  // namespace tarnwick::ui
