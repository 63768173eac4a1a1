#include "ui/qt/balloon_placement.h"

#include <gtest/gtest.h>

#include "tests/ui/qt/program_balloon.h"
#include "ui/qt/balloon_shape.h"

namespace tarnwick::ui {
namespace {

// The program's balloon: 362 by 69 with a 19-pixel stem, for a 32-pixel cursor.
BalloonLayout ProgramBalloon(BalloonPosition position = BalloonPosition::Auto) {
  BalloonContentSettings s = testing::ProgramSettings();
  s.position = position;
  return MeasureBalloon(s, "hint", 1280, 32, [](BalloonText which, const QString&, int) {
    return which == BalloonText::Header ? BalloonSize{60, 16} : BalloonSize{300, 13};
  });
}

BalloonLayout PlaceAt(BalloonPoint hint, const BalloonRect& workArea,
                      BalloonPosition position = BalloonPosition::Auto) {
  const BalloonLayout measured = ProgramBalloon(position);
  return PlaceBalloon(measured, measured.rect.moved(hint.x, hint.y), workArea);
}

const BalloonRect kWorkArea{0, 0, 1280, 984};  // a 40-pixel panel at the bottom

TEST(PlaceBalloon, ChoosesByTheHalfOfTheWorkAreaAndFlipsAtItsEdges) {
  using P = BalloonPosition;
  struct Case {
    const char* name;
    BalloonPoint hint;
    BalloonRect workArea;
    P requested;
    P expected;
  } cases[] = {
      {"upper left half", {500, 232}, kWorkArea, P::Auto, P::LeftUp},
      {"upper right half", {900, 232}, kWorkArea, P::Auto, P::RightUp},
      {"lower left half", {500, 732}, kWorkArea, P::Auto, P::LeftDown},
      {"lower right half", {900, 732}, kWorkArea, P::Auto, P::RightDown},
      {"near the bottom edge", {500, 950}, kWorkArea, P::Auto, P::LeftUp},
      {"near the right edge", {1200, 732}, kWorkArea, P::Auto, P::LeftDown},
      {"near the left edge", {100, 232}, kWorkArea, P::Auto, P::RightUp},
      {"near the top edge", {500, 42}, kWorkArea, P::Auto, P::LeftDown},
      {"bottom right corner", {1200, 950}, kWorkArea, P::Auto, P::LeftUp},
      {"top left corner", {100, 42}, kWorkArea, P::Auto, P::RightDown},
      // Too wide for either side: it ends up to the right.
      {"narrow work area", {300, 732}, {0, 0, 400, 984}, P::Auto, P::RightDown},
      // Too high for either way: it ends up below.
      {"low work area", {500, 60}, {0, 0, 1280, 100}, P::Auto, P::LeftDown},
      {"fixed placement flips too", {500, 950}, kWorkArea, P::RightDown, P::RightUp},
      {"fixed placement ignores the halves", {500, 732}, kWorkArea, P::LeftUp, P::LeftUp},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BalloonLayout b = PlaceAt(c.hint, c.workArea, c.requested);
    EXPECT_EQ(b.placement, c.expected);
    EXPECT_EQ(b.rect.width(), 362);
    EXPECT_EQ(b.rect.height(), 69);
    // The tip points at the hint point, or stays the cursor's height above it.
    const BalloonPoint tip{c.hint.x, IsDownward(c.expected) ? c.hint.y : c.hint.y - 32};
    EXPECT_EQ(StemTip(b.placement, b.rect, 16), tip);
    const BalloonShape shape = ShapeOf(b);
    EXPECT_EQ((BalloonPoint{b.rect.left + shape.tip.x, b.rect.top + shape.tip.y}), tip);
    // The stem keeps 16 pixels from the body's edge on the side of the tip.
    if (IsLeft(c.expected)) {
      EXPECT_EQ(b.stemArea.right, b.bodyArea.right - 16);
    } else {
      EXPECT_EQ(b.stemArea.left, b.bodyArea.left + 16);
    }
  }
}

TEST(PlaceBalloon, ArrangesTheInsideForTheFinalPlacement) {
  const BalloonLayout down = PlaceAt({500, 732}, kWorkArea);
  ASSERT_EQ(down.placement, BalloonPosition::LeftDown);
  EXPECT_EQ(down.rect, (BalloonRect{154, 732, 516, 801}));
  EXPECT_EQ(down.bodyArea, (BalloonRect{0, 18, 362, 69}));
  EXPECT_EQ(down.headerArea, (BalloonRect{49, 27, 109, 43}));
  EXPECT_EQ(down.messageArea, (BalloonRect{49, 46, 349, 59}));
  EXPECT_EQ(down.iconOrigin, (BalloonPoint{12, 31}));
  EXPECT_EQ(down.stemArea, (BalloonRect{327, 0, 346, 19}));

  const BalloonLayout up = PlaceAt({900, 232}, kWorkArea);
  ASSERT_EQ(up.placement, BalloonPosition::RightUp);
  EXPECT_EQ(up.rect, (BalloonRect{884, 131, 1246, 200}));
  EXPECT_EQ(up.bodyArea, (BalloonRect{0, 0, 362, 51}));
  EXPECT_EQ(up.headerArea, (BalloonRect{49, 9, 109, 25}));
  EXPECT_EQ(up.iconOrigin, (BalloonPoint{12, 12}));
  EXPECT_EQ(up.stemArea, (BalloonRect{16, 50, 35, 69}));
}

TEST(HoldWithinDesktop, MovesUpLeftOrRightToStayOnTheDesktop) {
  const BalloonRect desktop{0, 0, 1280, 1024};
  struct Case {
    BalloonRect window, expected;
  } cases[] = {
      {{100, 100, 462, 173}, {100, 100, 462, 173}},
      {{100, 1000, 462, 1073}, {100, 951, 462, 1024}},
      {{1000, 100, 1362, 173}, {918, 100, 1280, 173}},
      {{-30, 100, 332, 173}, {0, 100, 362, 173}},
      {{1000, 1000, 1362, 1073}, {918, 951, 1280, 1024}},
      // Wider than the desktop: the left edge wins.
      {{-100, 0, 1400, 73}, {0, 0, 1500, 73}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.window);
    EXPECT_EQ(HoldWithinDesktop(c.window, desktop), c.expected);
  }
}

TEST(BalloonShape, RoundedBodyAndStemMakeOneFramedRegion) {
  const BalloonLayout down = PlaceAt({500, 732}, kWorkArea);  // LeftDown: stem at the top right
  const BalloonShape shape = ShapeOf(down);
  EXPECT_EQ(shape.cornerDiameter, 11);
  EXPECT_EQ(shape.tip, (BalloonPoint{346, 0}));
  const QRegion region = BalloonRegion(shape);
  EXPECT_TRUE(QRect(0, 0, 362, 69).contains(region.boundingRect()));
  EXPECT_TRUE(region.contains(QPoint(181, 40)));
  EXPECT_TRUE(region.contains(QPoint(5, 18)));
  EXPECT_FALSE(region.contains(QPoint(0, 18)));  // the rounded corners are cut
  EXPECT_FALSE(region.contains(QPoint(361, 68)));
  EXPECT_TRUE(region.contains(QPoint(345, 1)));   // next to the tip
  EXPECT_FALSE(region.contains(QPoint(330, 1)));  // outside the slanted side
  EXPECT_TRUE(region.contains(QPoint(330, 17)));
  EXPECT_FALSE(region.contains(QPoint(100, 10)));  // beside the stem, above the body

  const QRegion frame = BalloonOutline(region);
  EXPECT_TRUE(frame.contains(QPoint(100, 18)));
  EXPECT_TRUE(frame.contains(QPoint(100, 68)));
  EXPECT_TRUE(frame.contains(QPoint(0, 40)));
  EXPECT_TRUE(frame.contains(QPoint(345, 10)));  // the stem's vertical side
  EXPECT_FALSE(frame.contains(QPoint(100, 40)));
  EXPECT_FALSE(frame.contains(QPoint(340, 18)));  // the body opens into the stem

  const BalloonLayout up = PlaceAt({900, 232}, kWorkArea);  // RightUp: stem at the bottom left
  const BalloonShape upShape = ShapeOf(up);
  EXPECT_EQ(upShape.tip, (BalloonPoint{16, 69}));
  const QRegion upRegion = BalloonRegion(upShape);
  EXPECT_TRUE(upRegion.contains(QPoint(16, 67)));
  EXPECT_FALSE(upRegion.contains(QPoint(30, 67)));
  EXPECT_TRUE(upRegion.contains(QPoint(30, 52)));
}

}  // namespace
}  // namespace tarnwick::ui
