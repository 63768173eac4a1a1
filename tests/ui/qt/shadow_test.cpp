#include "ui/qt/shadow.h"

#include <gtest/gtest.h>

#include <QFont>
#include <array>

namespace tarnwick::ui {
namespace {

using Cells3x3 = std::array<std::array<int, 3>, 3>;

Cells3x3 Inner(const ShadowMap& map) {
  Cells3x3 cells{};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) cells[y][x] = map.at(x, y);
  return cells;
}

QImage CentreMask(QRgb centre) {
  QImage mask(3, 3, QImage::Format_RGB32);
  mask.fill(Qt::black);
  mask.setPixel(1, 1, centre);
  return mask;
}

// Worked by hand from a single lit pixel in the middle of a 3 x 3 mask. A blur that read the
// cells of the previous pass instead of the ones already replaced would come out symmetric.
TEST(BlurShadowMask, PassesReadTheCellsAlreadyReplaced) {
  struct Case {
    int blurCount;
    Cells3x3 expected;
  };
  const Case cases[] = {
      {0, {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}}},
      {1, {{{0, 63, 15}, {63, 31, 11}, {15, 11, 5}}}},
      // The second pass lights the mask's pixel again before it blurs.
      {2, {{{31, 75, 21}, {75, 43, 17}, {21, 17, 8}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.blurCount);
    EXPECT_EQ(Inner(BlurShadowMask(CentreMask(qRgb(255, 255, 255)), c.blurCount)), c.expected);
  }
}

TEST(BlurShadowMask, OnlyTheBlueChannelLightsACell) {
  EXPECT_EQ(Inner(BlurShadowMask(CentreMask(qRgb(255, 255, 0)), 1)), Cells3x3{});
  EXPECT_EQ(Inner(BlurShadowMask(CentreMask(qRgb(0, 0, 1)), 1)),
            (Cells3x3{{{0, 63, 15}, {63, 31, 11}, {15, 11, 5}}}));
}

TEST(BlurShadowMask, BorderStaysZeroAroundAFullMask) {
  QImage mask(4, 2, QImage::Format_RGB32);
  mask.fill(Qt::white);
  const ShadowMap map = BlurShadowMask(mask, 4);
  for (int x = -1; x <= 4; ++x) {
    EXPECT_EQ(map.at(x, -1), 0) << x;
    EXPECT_EQ(map.at(x, 2), 0) << x;
  }
  for (int y = -1; y <= 2; ++y) {
    EXPECT_EQ(map.at(-1, y), 0) << y;
    EXPECT_EQ(map.at(4, y), 0) << y;
  }
  // First pass, row 0: (0 + 255 + 0 + 255) >> 2 = 127 at (0, 0), then (0 + 255 + 127 + 255) >> 2.
  const ShadowMap once = BlurShadowMask(mask, 1);
  EXPECT_EQ(once.at(0, 0), 127);
  EXPECT_EQ(once.at(1, 0), 159);
}

TEST(ComposeShadow, BlendsEachChannelShiftedByEightBits) {
  struct Case {
    QRgb picture;
    int a;
    QRgb expected;
  };
  const QColor shadow(10, 20, 30);
  const Case cases[] = {
      // With a = 0 the shift by 8 bits takes a little off: 200 * 255 >> 8 = 199.
      {qRgb(200, 100, 0), 0, qRgb(199, 99, 0)},
      {qRgb(255, 255, 255), 255, qRgb(9, 19, 29)},
      // (200 * 155 + 10 * 100) >> 8 = 125, (100 * 155 + 20 * 100) >> 8 = 68,
      // (0 * 155 + 30 * 100) >> 8 = 11.
      {qRgb(200, 100, 0), 100, qRgb(125, 68, 11)},
  };
  QImage picture(3, 1, QImage::Format_RGB32);
  ShadowMap map(3, 1);
  for (int x = 0; x < 3; ++x) {
    picture.setPixel(x, 0, cases[x].picture);
    map.at(x, 0) = static_cast<std::uint8_t>(cases[x].a);
  }
  ComposeShadow(picture, map, shadow);
  for (int x = 0; x < 3; ++x) {
    SCOPED_TRACE(x);
    EXPECT_EQ(picture.pixel(x, 0), cases[x].expected);
  }
}

TEST(ComposeShadow, TakesPicturesOfOtherFormats) {
  QImage picture(1, 1, QImage::Format_ARGB32_Premultiplied);
  picture.fill(QColor(200, 100, 0));
  ShadowMap map(1, 1);
  map.at(0, 0) = 100;
  ComposeShadow(picture, map, QColor(10, 20, 30));
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  EXPECT_EQ(picture.pixel(0, 0), qRgb(125, 68, 11));
}

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

}  // namespace
}  // namespace tarnwick::ui
