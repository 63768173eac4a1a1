#include "ui/shadow.h"

#include <gtest/gtest.h>

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

RgbaPicture CentreMask(Rgb centre) {
  RgbaPicture mask(3, 3);
  mask.setPixel(1, 1, OpaquePixel(centre));
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
    EXPECT_EQ(Inner(BlurShadowMask(CentreMask({255, 255, 255}), c.blurCount)), c.expected);
  }
}

TEST(BlurShadowMask, OnlyTheBlueChannelLightsACell) {
  EXPECT_EQ(Inner(BlurShadowMask(CentreMask({255, 255, 0}), 1)), Cells3x3{});
  EXPECT_EQ(Inner(BlurShadowMask(CentreMask({0, 0, 1}), 1)),
            (Cells3x3{{{0, 63, 15}, {63, 31, 11}, {15, 11, 5}}}));
}

TEST(BlurShadowMask, BorderStaysZeroAroundAFullMask) {
  const RgbaPicture mask(4, 2, OpaquePixel({255, 255, 255}));
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
    Rgb picture;
    int a;
    Rgb expected;
  };
  const Rgb shadow{10, 20, 30};
  const Case cases[] = {
      // With a = 0 the shift by 8 bits takes a little off: 200 * 255 >> 8 = 199.
      {{200, 100, 0}, 0, {199, 99, 0}},
      {{255, 255, 255}, 255, {9, 19, 29}},
      // (200 * 155 + 10 * 100) >> 8 = 125, (100 * 155 + 20 * 100) >> 8 = 68,
      // (0 * 155 + 30 * 100) >> 8 = 11.
      {{200, 100, 0}, 100, {125, 68, 11}},
  };
  RgbaPicture picture(3, 1);
  ShadowMap map(3, 1);
  for (int x = 0; x < 3; ++x) {
    // A pixel that is not opaque yet comes out opaque.
    picture.setPixel(x, 0, OpaquePixel(cases[x].picture) & 0x7FFFFFFFu);
    map.at(x, 0) = static_cast<std::uint8_t>(cases[x].a);
  }
  ComposeShadow(picture, map, shadow);
  for (int x = 0; x < 3; ++x) {
    SCOPED_TRACE(x);
    EXPECT_EQ(picture.pixel(x, 0), OpaquePixel(cases[x].expected));
  }
}

// The label's whole picture: white mask pixels at (1, 1) and (2, 1) of a grey backdrop leave a
// shadow that is darkest just after them and fades towards the lower right.
TEST(SoftShadowPicture, ComposesTheBlurredMaskIntoTheBackdropOrLeavesItWithTheShadowOff) {
  const Rgb grey{192, 192, 192};
  RgbaPicture mask(5, 4);
  mask.setPixel(1, 1, OpaquePixel({255, 255, 255}));
  mask.setPixel(2, 1, OpaquePixel({255, 255, 255}));
  const LabelShadow soft;  // black, blurred 4 times, 1 pixel away
  const RgbaPicture shaded = SoftShadowPicture(RgbaPicture(5, 4, OpaquePixel(grey)), mask, soft);
  const ShadowMap map = BlurShadowMask(mask, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      SCOPED_TRACE(::testing::Message() << x << ", " << y);
      const auto c = static_cast<std::uint8_t>(192 * (255 - map.at(x, y)) >> 8);
      EXPECT_EQ(shaded.pixel(x, y), OpaquePixel({c, c, c}));
    }
  }
  EXPECT_LT(ColourOf(shaded.pixel(2, 2)).red, ColourOf(shaded.pixel(4, 3)).red);

  LabelShadow off;
  off.mode = ShadowMode::None;
  const RgbaPicture plain = SoftShadowPicture(RgbaPicture(5, 4, OpaquePixel(grey)), mask, off);
  EXPECT_EQ(plain.pixel(1, 1), OpaquePixel(grey));
}

TEST(LabelTextColor, SchemeKindTakesItsOwnColourNotTheFonts) {
  const Rgb black{0, 0, 0};
  EXPECT_EQ(LabelTextColor(LabelKind{}, black), (Rgb{255, 255, 255}));
  EXPECT_EQ(LabelTextColor({TextKind::Font, {255, 255, 255}}, black), black);
}

}  // namespace
}  // namespace tarnwick::ui
