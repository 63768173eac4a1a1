// Balloon hints under Wine on a display: real pointer moves over real buttons, the state
// machine's waits on the thread's timers, and the balloon window as the system sees it.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/ui/win32/window_test.h"
#include "tests/ui/win32/window_test_support.h"
#include "ui/win32/balloon_hint_controller.h"
#include "ui/win32/picture_resources.h"

namespace tarnwick::ui::win32 {
namespace {

using testing::CentreOf;
using testing::MovePointer;
using testing::PumpFor;

constexpr char kGetDataHint[] = "Retrieve information for selected special folders";
constexpr char kSelectAllHint[] = "Select all folders";

// The system's tool-tip animation settings for a test, put back at its end.
class TooltipAnimation {
 public:
  TooltipAnimation(bool animate, bool fade) {
    SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &oldAnimate_, 0);
    SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &oldFade_, 0);
    set(animate, fade);
  }
  ~TooltipAnimation() { set(oldAnimate_, oldFade_); }

 private:
  static void set(BOOL animate, BOOL fade) {
    SystemParametersInfoW(SPI_SETTOOLTIPANIMATION, 0,
                          reinterpret_cast<void*>(static_cast<INT_PTR>(animate)), 0);
    SystemParametersInfoW(SPI_SETTOOLTIPFADE, 0,
                          reinterpret_cast<void*>(static_cast<INT_PTR>(fade)), 0);
  }
  BOOL oldAnimate_ = FALSE;
  BOOL oldFade_ = FALSE;
};

class BalloonHintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::HaveDisplay()) GTEST_SKIP() << "needs a display (DISPLAY), such as Xvfb's";
  }
  // A window with two buttons 6 pixels apart near its top, in the upper half of the screen
  // unless `top` says otherwise.
  explicit BalloonHintTest(int top = 60)
      : owner_(300, top, 400, 200),
        hints_(GetModuleHandleW(nullptr), owner_.get(), ProgramBalloonContent(),
               PngPicture::FromResource(GetModuleHandleW(nullptr), TARNWICK_PNG_BALLOON_ICON)) {
    getData_ = button(L"Get Data", 4);
    selectAll_ = button(L"Select All", 80);
    hints_.setHint(getData_, kGetDataHint);
    hints_.setHint(selectAll_, kSelectAllHint);
    SetForegroundWindow(owner_.get());
    // Wine takes the pointer to be at the screen's centre until it first moves.
    MovePointer(POINT{5, 5});
    PumpFor(100);
  }

  HWND button(const wchar_t* caption, int left) {
    return CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, left, 4,
                           70, 65, owner_.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  static POINT centreOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return CentreOf(r);
  }
  bool balloonShown() const {
    return hints_.balloonWindow() && IsWindowVisible(hints_.balloonWindow()->window());
  }
  bool showing(const std::string& text) const {
    return balloonShown() && hints_.balloonWindow()->balloon().layout.messageText == text;
  }
  RECT balloonRect() const {
    RECT r{};
    GetWindowRect(hints_.balloonWindow()->window(), &r);
    return r;
  }
  // Moves onto a control and keeps the pointer still there.
  void restOn(HWND control) {
    POINT p = centreOf(control);
    MovePointer(POINT{p.x - 3, p.y});
    PumpFor(30);
    MovePointer(p);
  }

  testing::OwnerWindow owner_;
  BalloonHintController hints_;
  HWND getData_ = nullptr;
  HWND selectAll_ = nullptr;
};

TEST_F(BalloonHintTest, ShowsAfterRestingHalfASecondAndGoesAfterTwoAndAHalf) {
  restOn(getData_);
  PumpFor(350);
  EXPECT_FALSE(balloonShown()) << "shown before the pointer rested 500 ms";
  ASSERT_TRUE(testing::PumpUntil([&] { return balloonShown(); }, 1500));
  const DWORD shownAt = GetTickCount();

  const HWND balloon = hints_.balloonWindow()->window();
  const LONG_PTR ex = GetWindowLongPtrW(balloon, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE((ex & WS_EX_LAYERED) && (ex & WS_EX_TRANSPARENT));
  EXPECT_TRUE(GetClassLongPtrW(balloon, GCL_STYLE) & CS_DROPSHADOW);
  EXPECT_NE(GetForegroundWindow(), balloon);
  OwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(balloon, region.get()), COMPLEXREGION);

  const BalloonLayout& layout = hints_.balloonWindow()->balloon().layout;
  EXPECT_EQ(layout.headerText, "Tarnwick");
  EXPECT_EQ(layout.messageText, kGetDataHint);
  EXPECT_TRUE(layout.hasIcon);
  // The window is four rows taller than the balloon.
  const RECT r = balloonRect();
  EXPECT_EQ(r.bottom - r.top, layout.rect.height() + 4);

  // Upper half of the work area: the balloon opens above the pointer, stem down.
  const POINT pointer = centreOf(getData_);
  EXPECT_LE(r.bottom - 4, pointer.y);
  EXPECT_FALSE(IsDownward(layout.placement));

  // Painted in the hint colour inside a black outline.
  const COLORREF body = testing::ScreenPixel(
      POINT{r.left + layout.messageArea.right + 4, r.top + layout.bodyArea.top + 20});
  EXPECT_EQ(body, GetSysColor(COLOR_INFOBK));
  const COLORREF edge = testing::ScreenPixel(POINT{r.left + 20, r.top + layout.bodyArea.top});
  EXPECT_EQ(edge, RGB(0, 0, 0));

  ASSERT_TRUE(testing::PumpUntil([&] { return !balloonShown(); }, 4000));
  const DWORD shownFor = GetTickCount() - shownAt;
  EXPECT_GE(shownFor, 2300u);
  EXPECT_LE(shownFor, 3500u);
  PumpFor(800);
  EXPECT_FALSE(balloonShown()) << "came back while the pointer stayed on the button";
}

TEST_F(BalloonHintTest, ClickHidesTheBalloonAtOnce) {
  restOn(getData_);
  ASSERT_TRUE(testing::PumpUntil([&] { return balloonShown(); }, 1500));
  INPUT down{};
  down.type = INPUT_MOUSE;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &down, sizeof down);
  EXPECT_TRUE(testing::PumpUntil([&] { return !balloonShown(); }, 300));
  INPUT up = down;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &up, sizeof up);
  PumpFor(30);
}

TEST_F(BalloonHintTest, AlongAChainTheNextBalloonShowsAtOnceButAGapEndsIt) {
  restOn(getData_);
  ASSERT_TRUE(testing::PumpUntil([&] { return balloonShown(); }, 1500));
  MovePointer(centreOf(selectAll_));
  ASSERT_TRUE(testing::PumpUntil([&] { return showing(kSelectAllHint); }, 300))
      << "the chain shows the next balloon at once";

  // The strip of window between the buttons has no hint: the chain ends there.
  RECT a;
  GetWindowRect(getData_, &a);
  MovePointer(POINT{a.right + 3, (a.top + a.bottom) / 2});
  EXPECT_TRUE(testing::PumpUntil([&] { return !balloonShown(); }, 300));
  MovePointer(centreOf(getData_));
  PumpFor(200);
  EXPECT_FALSE(balloonShown()) << "after the gap the balloon waits again";
  EXPECT_TRUE(testing::PumpUntil([&] { return balloonShown(); }, 1500));
}

TEST_F(BalloonHintTest, AnimatesOnlyTheFirstOfAQuickRunAndOnlyShortTexts) {
  TooltipAnimation settings(true, true);
  restOn(getData_);
  ASSERT_TRUE(testing::PumpUntil([&] { return balloonShown(); }, 1500));
  EXPECT_EQ(hints_.balloonWindow()->lastAnimation(), BalloonAnimation::Fade);
  MovePointer(centreOf(selectAll_));
  ASSERT_TRUE(testing::PumpUntil([&] { return showing(kSelectAllHint); }, 300));
  EXPECT_EQ(hints_.balloonWindow()->lastAnimation(), BalloonAnimation::None)
      << "shown within 250 ms of the one before";

  const std::string longHint(100, 'x');
  hints_.setHint(getData_, longHint);
  hints_.machine().cancel();
  PumpFor(300);
  restOn(getData_);
  ASSERT_TRUE(testing::PumpUntil([&] { return balloonShown(); }, 1500));
  EXPECT_EQ(hints_.balloonWindow()->lastAnimation(), BalloonAnimation::None)
      << "a text of 100 characters";
}

TEST_F(BalloonHintTest, SlidesWhenTheSystemAnimatesWithoutFading) {
  TooltipAnimation settings(true, false);
  restOn(getData_);
  ASSERT_TRUE(testing::PumpUntil([&] { return balloonShown(); }, 1500));
  // The pointer lies below the balloon, which opened above it: it slides in upward.
  EXPECT_EQ(hints_.balloonWindow()->lastAnimation(), BalloonAnimation::SlideUp);
}

TEST_F(BalloonHintTest, NoBalloonWhileAnotherApplicationIsActive) {
  // A window of another thread stands for another application, active and out of the way.
  std::thread other([] {
    HWND window = CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE, 0, 600, 100, 60,
                                  nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(window);
    PumpFor(1500);
    DestroyWindow(window);
  });
  PumpFor(300);
  restOn(getData_);
  PumpFor(800);
  EXPECT_FALSE(balloonShown());
  other.join();
}

class LowerHalfBalloonTest : public BalloonHintTest {
 protected:
  LowerHalfBalloonTest() : BalloonHintTest(520) {}
};

TEST_F(LowerHalfBalloonTest, OpensBelowThePointer) {
  restOn(getData_);
  ASSERT_TRUE(testing::PumpUntil([&] { return balloonShown(); }, 1500));
  const RECT r = balloonRect();
  EXPECT_GE(r.top, centreOf(getData_).y);
  EXPECT_TRUE(IsDownward(hints_.balloonWindow()->balloon().layout.placement));
}

}  // namespace
}  // namespace tarnwick::ui::win32
