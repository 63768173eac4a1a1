#include "ui/balloon_placement.h"

#include <gtest/gtest.h>

#include "ui/balloon_shape.h"
#include "ui/balloon_show.h"

namespace tarnwick::ui {
namespace {

// The program's balloon: 362 by 69 with a 19-pixel stem, for a 32-pixel cursor.
BalloonLayout ProgramBalloon(BalloonPosition position = BalloonPosition::Auto) {
  BalloonContentSettings s = ProgramBalloonContent();
  s.position = position;
  return MeasureBalloon(s, "hint", 1280, 32, [](BalloonText which, const std::string&, int) {
    return which == BalloonText::Header ? Size{60, 16} : Size{300, 13};
  });
}

BalloonLayout PlaceAt(Point hint, const Rect& workArea,
                      BalloonPosition position = BalloonPosition::Auto) {
  const BalloonLayout measured = ProgramBalloon(position);
  return PlaceBalloon(measured, measured.rect.moved(hint.x, hint.y), workArea);
}

const Rect kWorkArea{0, 0, 1280, 984};  // a 40-pixel panel at the bottom

TEST(PlaceBalloon, ChoosesByTheHalfOfTheWorkAreaAndFlipsAtItsEdges) {
  using P = BalloonPosition;
  struct Case {
    const char* name;
    Point hint;
    Rect workArea;
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
    const Point tip{c.hint.x, IsDownward(c.expected) ? c.hint.y : c.hint.y - 32};
    EXPECT_EQ(StemTip(b.placement, b.rect, 16), tip);
    const BalloonShape shape = ShapeOf(b);
    EXPECT_EQ((Point{b.rect.left + shape.tip.x, b.rect.top + shape.tip.y}), tip);
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
  EXPECT_EQ(down.rect, (Rect{154, 732, 516, 801}));
  EXPECT_EQ(down.bodyArea, (Rect{0, 18, 362, 69}));
  EXPECT_EQ(down.headerArea, (Rect{49, 27, 109, 43}));
  EXPECT_EQ(down.messageArea, (Rect{49, 46, 349, 59}));
  EXPECT_EQ(down.iconOrigin, (Point{12, 31}));
  EXPECT_EQ(down.stemArea, (Rect{327, 0, 346, 19}));

  const BalloonLayout up = PlaceAt({900, 232}, kWorkArea);
  ASSERT_EQ(up.placement, BalloonPosition::RightUp);
  EXPECT_EQ(up.rect, (Rect{884, 131, 1246, 200}));
  EXPECT_EQ(up.bodyArea, (Rect{0, 0, 362, 51}));
  EXPECT_EQ(up.headerArea, (Rect{49, 9, 109, 25}));
  EXPECT_EQ(up.iconOrigin, (Point{12, 12}));
  EXPECT_EQ(up.stemArea, (Rect{16, 50, 35, 69}));
}

TEST(HoldWithinDesktop, MovesUpLeftOrRightToStayOnTheDesktop) {
  const Rect desktop{0, 0, 1280, 1024};
  struct Case {
    Rect window, expected;
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
  EXPECT_EQ(shape.tip, (Point{346, 0}));
  const PixelRegion region = BalloonRegion(shape);
  EXPECT_TRUE(Rect::fromSize(0, 0, 362, 69).united(region.bounds()) ==
              Rect::fromSize(0, 0, 362, 69));
  EXPECT_TRUE(region.contains(Point{181, 40}));
  EXPECT_TRUE(region.contains(Point{5, 18}));
  EXPECT_FALSE(region.contains(Point{0, 18}));  // the rounded corners are cut
  EXPECT_FALSE(region.contains(Point{361, 68}));
  EXPECT_TRUE(region.contains(Point{345, 1}));   // next to the tip
  EXPECT_FALSE(region.contains(Point{330, 1}));  // outside the slanted side
  EXPECT_TRUE(region.contains(Point{330, 17}));
  EXPECT_FALSE(region.contains(Point{100, 10}));  // beside the stem, above the body

  const PixelRegion frame = BalloonOutline(region);
  EXPECT_TRUE(frame.contains(Point{100, 18}));
  EXPECT_TRUE(frame.contains(Point{100, 68}));
  EXPECT_TRUE(frame.contains(Point{0, 40}));
  EXPECT_TRUE(frame.contains(Point{345, 10}));  // the stem's vertical side
  EXPECT_FALSE(frame.contains(Point{100, 40}));
  EXPECT_FALSE(frame.contains(Point{340, 18}));  // the body opens into the stem

  const BalloonLayout up = PlaceAt({900, 232}, kWorkArea);  // RightUp: stem at the bottom left
  const BalloonShape upShape = ShapeOf(up);
  EXPECT_EQ(upShape.tip, (Point{16, 69}));
  const PixelRegion upRegion = BalloonRegion(upShape);
  EXPECT_TRUE(upRegion.contains(Point{16, 67}));
  EXPECT_FALSE(upRegion.contains(Point{30, 67}));
  EXPECT_TRUE(upRegion.contains(Point{30, 52}));
}

// The whole of one showing, from the hint request to the window on the screen.
TEST(PrepareBalloon, PlacesShapesAndHoldsTheWindowOnTheDesktop) {
  BalloonScreen screen;
  screen.workArea = kWorkArea;
  screen.desktop = {0, 0, 1280, 1024};
  screen.maxTextWidth = 1280;
  screen.cursorHeight = 32;
  screen.animationOn = true;
  const auto measure = [](BalloonText which, const std::string&, int) {
    return which == BalloonText::Header ? Size{60, 16} : Size{300, 13};
  };
  BalloonRequest request;
  request.text = "Retrieve information for selected special folders";

  // Low on the screen, far right: a right, downward balloon would leave the work area at the
  // bottom and the right, so it opens upward to the left; its window is four rows taller.
  request.pointer = {1200, 920};
  request.hintPoint = {1200, 952};
  const PreparedBalloon low = PrepareBalloon(ProgramBalloonContent(), request, screen, measure);
  EXPECT_EQ(low.layout.placement, BalloonPosition::LeftUp) << "flipped up at the work area";
  EXPECT_EQ(low.layout.rect, (Rect{854, 851, 1216, 920}));
  EXPECT_EQ(low.window, (Rect{854, 851, 1216, 924}));
  EXPECT_EQ(low.shape.tip, (Point{346, 69}));
  EXPECT_TRUE(low.region.contains({345, 67}));
  EXPECT_FALSE(low.region.contains({345, 70})) << "the extra rows lie outside the shape";
  EXPECT_EQ(low.animation, BalloonAnimation::SlideUp);

  request.pointer = {1270, 1000};
  request.hintPoint = {1270, 1032};
  request.msSinceLastShown = 100;
  const PreparedBalloon corner = PrepareBalloon(ProgramBalloonContent(), request, screen, measure);
  EXPECT_EQ(corner.layout.rect, (Rect{924, 931, 1286, 1000}));
  EXPECT_EQ(corner.window, (Rect{918, 931, 1280, 1004})) << "moved left onto the desktop";
  EXPECT_EQ(corner.animation, BalloonAnimation::None) << "shown 100 ms after the last one";
}

}  // namespace
}  // namespace tarnwick::ui
