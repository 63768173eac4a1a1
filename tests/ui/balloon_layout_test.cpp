#include "ui/balloon_layout.h"

#include <gtest/gtest.h>

namespace tarnwick::ui {
namespace {

// Texts measure as the test says, so every edge below is exact.
BalloonTextMeasure FixedSizes(Size header, Size message) {
  return [=](BalloonText which, const std::string&, int) {
    return which == BalloonText::Header ? header : message;
  };
}

TEST(MeasureBalloon, ProgramBalloon) {
  const BalloonLayout b =
      MeasureBalloon(ProgramBalloonContent(), "Retrieve information for selected special folders",
                     1280, 32, FixedSizes({60, 16}, {300, 13}));
  EXPECT_TRUE(b.hasIcon);
  EXPECT_TRUE(b.hasHeader);
  EXPECT_FALSE(b.multiLineMessage);
  EXPECT_EQ(b.iconSize, (Size{32, 32}));
  EXPECT_EQ(b.iconOrigin, (Point{12, 12}));
  EXPECT_EQ(b.headerArea, (Rect{49, 9, 109, 25}));
  EXPECT_EQ(b.messageArea, (Rect{49, 28, 349, 41}));  // 3 below the header
  EXPECT_EQ(b.bodyArea, (Rect{0, 0, 362, 51}));
  EXPECT_EQ(b.stemWidth, 19);
  EXPECT_EQ(b.stemHeight, 19);
  EXPECT_EQ(b.stemInset, 16);
  EXPECT_EQ(b.stemArea, (Rect{16, 50, 35, 69}));
  EXPECT_EQ(b.placement, BalloonPosition::Auto);
  EXPECT_EQ(b.cursorClearance, 32);
  // Auto starts as LeftDown: the tip, 16 in from the right edge, on the hint point.
  EXPECT_EQ(b.rect, (Rect{-346, 0, 16, 69}));
}

TEST(MeasureBalloon, HeaderlessMessageHasTheSmallStem) {
  BalloonContentSettings s;  // the defaults: information icon, no header
  const BalloonLayout b = MeasureBalloon(s, "Plain", 1280, 32, FixedSizes({99, 99}, {40, 13}));
  EXPECT_FALSE(b.hasHeader);
  EXPECT_TRUE(b.hasIcon);
  EXPECT_EQ(b.iconSize, (Size{16, 16}));
  EXPECT_EQ(b.messageArea, (Rect{33, 3, 73, 16}));
  EXPECT_EQ(b.bodyArea, (Rect{0, 0, 86, 26}));
  EXPECT_EQ(b.stemArea, (Rect{16, 25, 28, 37}));
  EXPECT_EQ(b.rect, (Rect{-70, 0, 16, 37}));
}

TEST(MeasureBalloon, TwoLineMessageHasTheLargeStem) {
  const BalloonLayout b = MeasureBalloon(ProgramBalloonContent(), "First line\r\nsecond line", 1280,
                                         32, FixedSizes({60, 16}, {70, 26}));
  EXPECT_TRUE(b.multiLineMessage);
  EXPECT_EQ(b.messageArea, (Rect{49, 28, 119, 54}));
  EXPECT_EQ(b.bodyArea, (Rect{0, 0, 132, 64}));
  EXPECT_EQ(b.stemArea, (Rect{16, 63, 37, 84}));
  EXPECT_EQ(b.rect, (Rect{-116, 0, 16, 84}));
}

TEST(ProgramBalloonContent, IsTheHeaderBesideTheOnePictureOfItsList) {
  const BalloonContentSettings program = ProgramBalloonContent();
  EXPECT_EQ(program.options, HintOption::ShowHeader | HintOption::ShowIcon);
  EXPECT_FALSE(program.options.has(HintOption::PlaySound));
  EXPECT_EQ(program.header, "Tarnwick");
  EXPECT_EQ(program.icon, IconKind::Custom);
  EXPECT_EQ(program.imageIndex, 0);
  EXPECT_EQ(program.imageCount, 1);
  EXPECT_EQ(program.pictureSize, (Size{32, 32}));
  EXPECT_EQ(program.position, BalloonPosition::Auto);
}

TEST(MeasureBalloon, TextsAreMeasuredWrappedAtTheMaximumWidth) {
  std::vector<std::pair<std::string, int>> asked;
  MeasureBalloon(ProgramBalloonContent(), "message", 777, 32,
                 [&](BalloonText, const std::string& text, int maxWidth) {
                   asked.emplace_back(text, maxWidth);
                   return Size{10, 10};
                 });
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], std::make_pair(std::string("Tarnwick"), 777));
  EXPECT_EQ(asked[1], std::make_pair(std::string("message"), 777));
}

TEST(MeasureBalloon, IconAndHeaderFollowTheSettings) {
  struct Case {
    const char* name;
    void (*change)(BalloonContentSettings&);
    bool hasIcon, hasHeader;
    Size iconSize;
  } cases[] = {
      {"as on the form", [](BalloonContentSettings&) {}, true, true, {32, 32}},
      {"no icon option",
       [](BalloonContentSettings& s) { s.options = HintOption::ShowHeader; },
       false,
       true,
       {32, 32}},
      {"no header option",
       [](BalloonContentSettings& s) { s.options = HintOption::ShowIcon; },
       true,
       false,
       {32, 32}},
      {"empty header", [](BalloonContentSettings& s) { s.header.clear(); }, true, false, {32, 32}},
      {"icon kind None",
       [](BalloonContentSettings& s) { s.icon = IconKind::None; },
       false,
       true,
       {0, 0}},
      {"custom without an image",
       [](BalloonContentSettings& s) { s.imageIndex = -1; },
       false,
       true,
       {16, 16}},
      {"custom image past the list",
       [](BalloonContentSettings& s) { s.imageIndex = 1; },
       true,
       true,
       {16, 16}},
      {"custom without a list",
       [](BalloonContentSettings& s) { s.imageCount = 0; },
       true,
       true,
       {16, 16}},
      {"a system icon",
       [](BalloonContentSettings& s) { s.icon = IconKind::Warning; },
       true,
       true,
       {16, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BalloonContentSettings s = ProgramBalloonContent();
    c.change(s);
    const BalloonLayout b = MeasureBalloon(s, "text", 1280, 32, FixedSizes({60, 16}, {40, 13}));
    EXPECT_EQ(b.hasIcon, c.hasIcon);
    EXPECT_EQ(b.hasHeader, c.hasHeader);
    EXPECT_EQ(b.iconSize, c.iconSize);
    EXPECT_EQ(b.messageArea.left, c.hasIcon ? 12 + c.iconSize.width + 5 : 12);
  }
}

TEST(IsMultiLineMessage, NeedsABreakFollowedByMoreText) {
  struct Case {
    std::string text;
    bool multi;
  } cases[] = {
      {"", false},
      {"one line", false},
      {"one\n", false},
      {"one\r\n", false},
      {"one\r", false},
      {"one\v", false},
      {"a\nb", true},
      {"a\r\nb", true},
      {"a\rb", true},
      {"a\r\n\n", true},
      {"a\vb", true},
      {"a\fb", true},
      {"\nb", true},
      {"a\xE2\x80\xA8"
       "b",
       true},
      {"a\xE2\x80\xA9"
       "b",
       true},
      {"a\xE2\x80\xA9", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsMultiLineMessage(c.text), c.multi);
  }
}

}  // namespace
}  // namespace tarnwick::ui
