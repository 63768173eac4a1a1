#include "ui/balloon_animation.h"

#include <gtest/gtest.h>

namespace tarnwick::ui {
namespace {

TEST(BalloonAnimationRule, ChoosesByTimeLengthSettingsAndPointer) {
  struct Case {
    std::optional<std::int64_t> since;
    std::int64_t length;
    bool animate, fade;
    int pointerY, top;
    BalloonAnimation expected;
  } cases[] = {
      {std::nullopt, 50, true, false, 100, 120, BalloonAnimation::SlideDown},
      {251, 99, true, false, 120, 120, BalloonAnimation::SlideDown},
      {251, 99, true, false, 121, 120, BalloonAnimation::SlideUp},
      {251, 99, true, true, 121, 120, BalloonAnimation::Fade},
      {250, 10, true, true, 100, 120, BalloonAnimation::None},
      {1000, 100, true, true, 100, 120, BalloonAnimation::None},
      {1000, 10, false, true, 100, 120, BalloonAnimation::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "since " << c.since.value_or(-1) << " length " << c.length << " animate "
                 << c.animate << " fade " << c.fade << " pointer " << c.pointerY);
    EXPECT_EQ(ChooseBalloonAnimation({c.since, c.length, c.animate, c.fade, c.pointerY, c.top}),
              c.expected);
  }
}

}  // namespace
}  // namespace tarnwick::ui
