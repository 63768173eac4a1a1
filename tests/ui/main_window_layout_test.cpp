#include "ui/main_window_layout.h"

#include <gtest/gtest.h>

namespace tarnwick::ui {
namespace {

TEST(DesktopCenter, RoundsHalvesDownAndStaysInsideTheTopLeft) {
  const struct {
    Rect desktop;
    Size window;
    Point expected;
  } cases[] = {
      {Rect::fromSize(0, 0, 1280, 1024), {550, 392}, {365, 316}},
      {Rect::fromSize(0, 0, 1281, 1025), {551, 393}, {365, 316}},
      {Rect::fromSize(-1280, 0, 2560, 1024), {550, 392}, {-275, 316}},
      {Rect::fromSize(0, 0, 800, 600), {1000, 700}, {0, 0}},
      {Rect::fromSize(100, 50, 400, 300), {600, 100}, {100, 150}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.desktop << " " << c.window);
    EXPECT_EQ(DesktopCenter(c.desktop, c.window), c.expected);
  }
}

TEST(Scaling, FontByTheResolutionThenSizesByTheTextHeight) {
  EXPECT_EQ(ScaledFontHeight(96), -11);
  EXPECT_EQ(ScaledFontHeight(120), -14);  // -13.75
  EXPECT_EQ(ScaledFontHeight(144), -17);  // -16.5, half away from zero
  EXPECT_EQ(ScaledFontHeight(192), -22);
  EXPECT_EQ(ScaleToTextHeight(534, 13), 534);
  EXPECT_EQ(ScaleToTextHeight(534, 16), 657);  // 657.2
  EXPECT_EQ(ScaleToTextHeight(73, 16), 90);    // 89.8
  EXPECT_EQ(ScaleToTextHeight(550, 26), 1100);
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(5, 1, 0), -1);
}

TEST(ColumnWidths, AThirdEachAndTheRemainderToFolder) {
  const struct {
    int width;
    std::array<int, 3> expected;
  } cases[] = {
      {528, {176, 176, 176}}, {529, {177, 176, 176}}, {530, {178, 176, 176}},
      {2, {2, 0, 0}},         {0, {0, 0, 0}},         {-5, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    EXPECT_EQ(ColumnWidths(c.width), c.expected);
  }
}

TEST(ToolbarButtons, TabOrderRunsThroughExitBeforeExport) {
  std::array<const char*, 7> byTab{};
  for (const ToolbarButton& b : ToolbarButtons)
    byTab.at(static_cast<std::size_t>(b.tabOrder)) = b.name;
  EXPECT_STREQ(byTab[2], "btn3");
  EXPECT_STREQ(byTab[3], "btn4") << "Tab from Select None goes to Exit";
  EXPECT_STREQ(byTab[5], "btn6");
  EXPECT_FALSE(ToolbarButtons[4].followsRightEdge);
  EXPECT_TRUE(ToolbarButtons[5].followsRightEdge);
}

}  // namespace
}  // namespace tarnwick::ui
