#include "ui/qt/picture_button.h"

#include <QStyleOption>
#include <QStylePainter>
#include <QSvgRenderer>

#include "ui/qt/artwork.h"

namespace tarnwick::ui {

PictureButton::PictureButton(const QString& caption, const QString& picture, QWidget* parent)
    : QPushButton(caption, parent), picture_(LoadPicture(picture)) {
  setAutoDefault(false);
  setDefault(false);
}

PictureButton::~PictureButton() = default;

void PictureButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  painter.drawControl(QStyle::CE_PushButtonBevel, option);

  const int textHeight = fontMetrics().height();
  const int blockHeight = PictureSize + PictureGap + textHeight;
  int left = (width() - PictureSize) / 2;
  int top = (height() - blockHeight) / 2;
  // A pressed button moves its content the way the style moves a plain button's label.
  if (isDown() || isChecked()) {
    left += style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this);
    top += style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this);
  }
  picture_->render(&painter, QRectF(left, top, PictureSize, PictureSize));
  const QRect textRect(left + PictureSize / 2 - width() / 2, top + PictureSize + PictureGap,
                       width(), textHeight);
  painter.drawItemText(textRect, Qt::AlignHCenter | Qt::AlignTop, palette(), isEnabled(), text(),
                       QPalette::ButtonText);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace tarnwick::ui
