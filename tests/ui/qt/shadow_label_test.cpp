#include "ui/qt/shadow_label.h"

#include <gtest/gtest.h>

#include <QFont>

namespace tarnwick::ui {
namespace {

QRect LitBox(const QImage& mask) {
  QRect box;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (qBlue(mask.pixel(x, y)) != 0) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(ShadowMask, IsTheCaptionInWhiteMovedByTheDistance) {
  QFont font;
  font.setPixelSize(19);
  font.setBold(true);
  const int flags = Qt::AlignHCenter | Qt::AlignTop;
  const QImage still = ShadowMask(QSize(160, 32), font, QStringLiteral("Tarnwick 1.0"), flags, 0);
  const QImage moved = ShadowMask(QSize(160, 32), font, QStringLiteral("Tarnwick 1.0"), flags, 1);
  ASSERT_FALSE(LitBox(still).isEmpty());
  EXPECT_EQ(LitBox(moved), LitBox(still).translated(1, 1));
  EXPECT_EQ(still.pixel(0, 31), qRgb(0, 0, 0));
}

// Qt's pictures come in several formats; the logic's blend sees the same colours whichever.
TEST(ComposeShadow, TakesQtPicturesOfOtherFormats) {
  QImage picture(1, 1, QImage::Format_ARGB32_Premultiplied);
  picture.fill(QColor(200, 100, 0));
  RgbaPicture pixels = ToRgbaPicture(picture);
  ShadowMap map(1, 1);
  map.at(0, 0) = 100;
  ComposeShadow(pixels, map, {10, 20, 30});
  EXPECT_EQ(ToQImage(pixels).pixel(0, 0), qRgb(125, 68, 11));
}

}  // namespace
}  // namespace tarnwick::ui
