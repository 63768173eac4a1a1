#include "ui/hint_state_machine.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/balloon_animation.h"

namespace tarnwick::ui {
namespace {

// Plays the program's side: a clock that only moves when told, two one-shot timers, the
// controls under the pointer, and a record of the balloons shown and hidden.
class FakeHintHost : public HintHost {
 public:
  std::int64_t now = 0;
  Point pointer;
  HintControl under;
  bool active = true;
  bool timersWork = true;
  std::optional<std::int64_t> showDue, hideDue;
  std::vector<BalloonRequest> shown;
  int hides = 0;
  bool visible = false;

  std::int64_t nowMs() const override { return now; }
  Point pointerPos() const override { return pointer; }
  HintControl hintControlUnderPointer() const override { return under; }
  int pointerShapeBelowHotSpot() const override { return 21; }
  bool programWindowActive() const override { return active; }
  bool startShowTimer(int ms) override {
    if (timersWork) showDue = now + ms;
    return timersWork;
  }
  void stopShowTimer() override { showDue.reset(); }
  bool startHideTimer(int ms) override {
    if (timersWork) hideDue = now + ms;
    return timersWork;
  }
  void stopHideTimer() override { hideDue.reset(); }
  void showBalloon(const BalloonRequest& request) override {
    shown.push_back(request);
    visible = true;
  }
  void hideBalloon() override {
    ++hides;
    visible = false;
  }
};

// Two toolbar buttons with the 6-pixel strip of panel between them, and the list below.
const HintControl kGetData{reinterpret_cast<HintControlId>(1), Rect::fromSize(100, 100, 70, 65),
                           "Retrieve information for selected special folders"};
const HintControl kSelectAll{reinterpret_cast<HintControlId>(2), Rect::fromSize(176, 100, 70, 65),
                             "Select all folders"};
const HintControl kPanel{};
const HintControl kList{reinterpret_cast<HintControlId>(3), Rect::fromSize(100, 180, 532, 271),
                        "Special folders list, double click on a populated folder to explore it"};

class HintStateMachineTest : public ::testing::Test {
 protected:
  void moveTo(Point p, const HintControl& control) {
    host.pointer = p;
    host.under = control;
    machine.mouseMove(p, control);
  }
  // Lets time pass, firing the timers that fall due on the way in their order.
  void advance(std::int64_t ms) {
    const std::int64_t end = host.now + ms;
    for (;;) {
      std::optional<std::int64_t> next;
      for (auto due : {host.showDue, host.hideDue}) {
        if (due && *due <= end && (!next || *due < *next)) next = due;
      }
      if (!next) break;
      host.now = *next;
      if (host.showDue == next) {
        host.showDue.reset();
        machine.showTimerFired();
      } else {
        host.hideDue.reset();
        machine.hideTimerFired();
      }
    }
    host.now = end;
  }
  void showGetData() {
    moveTo({120, 130}, kGetData);
    advance(500);
    ASSERT_EQ(host.shown.size(), 1u);
  }

  FakeHintHost host;
  HintStateMachine machine{host};
};

TEST_F(HintStateMachineTest, RestingPointerShowsAfterHalfASecondAndGoesAfterTwoAndAHalf) {
  moveTo({120, 130}, kGetData);
  advance(499);
  EXPECT_TRUE(host.shown.empty());
  EXPECT_EQ(machine.state(), HintStateMachine::State::Pending);
  advance(1);
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0].text, kGetData.text);
  EXPECT_EQ(host.shown[0].pointer, (Point{120, 130}));
  EXPECT_EQ(host.shown[0].hintPoint, (Point{120, 151}));
  EXPECT_EQ(machine.state(), HintStateMachine::State::Showing);

  advance(2499);
  EXPECT_TRUE(host.visible);
  advance(1);
  EXPECT_FALSE(host.visible);
  EXPECT_EQ(machine.state(), HintStateMachine::State::Hidden);
  EXPECT_TRUE(machine.chainActive());
  EXPECT_EQ(machine.target(), kGetData.id);

  // Moving about on the button does not bring it back.
  for (int i = 0; i < 10; ++i) {
    moveTo({105 + 6 * i, 110 + 5 * i}, kGetData);
    advance(1000);
  }
  EXPECT_EQ(host.shown.size(), 1u);
  EXPECT_FALSE(host.visible);
}

TEST_F(HintStateMachineTest, EveryMoveBeforeTheFirstBalloonRestartsTheWait) {
  moveTo({120, 130}, kList);
  advance(400);
  moveTo({300, 300}, kList);
  advance(400);
  moveTo({301, 300}, kList);
  advance(499);
  EXPECT_TRUE(host.shown.empty());
  advance(1);
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0].text, kList.text);
  moveTo({400, 420}, kList);
  advance(10000);
  EXPECT_EQ(host.shown.size(), 1u);
}

TEST_F(HintStateMachineTest, ChainShowsTheNextButtonsBalloonAtOnce) {
  struct Case {
    const char* name;
    std::int64_t restOnFirst;  // after its balloon came up
  } cases[] = {{"while the first balloon shows", 100}, {"after it went", 3000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    machine.cancel();
    host.shown.clear();
    showGetData();
    advance(c.restOnFirst);
    moveTo({190, 130}, kSelectAll);  // straight onto the next button, skipping the strip
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[1].text, kSelectAll.text);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(machine.target(), kSelectAll.id);
    EXPECT_EQ(*host.hideDue, host.now + 2500);
    // Back onto the first one: at once again.
    moveTo({130, 130}, kGetData);
    EXPECT_EQ(host.shown.size(), 3u);
  }
}

TEST_F(HintStateMachineTest, StripOfPanelBetweenButtonsEndsTheChain) {
  showGetData();
  moveTo({172, 130}, kPanel);
  EXPECT_FALSE(host.visible);
  EXPECT_FALSE(machine.chainActive());
  EXPECT_EQ(machine.state(), HintStateMachine::State::Idle);
  moveTo({180, 130}, kSelectAll);
  EXPECT_EQ(host.shown.size(), 1u);
  advance(499);
  EXPECT_EQ(host.shown.size(), 1u);
  advance(1);
  EXPECT_EQ(host.shown.size(), 2u);
}

TEST_F(HintStateMachineTest, CancelHidesAtOnceAndEndsTheChain) {
  // A click, a key or a change of activation cancels; the next balloon waits its full time.
  showGetData();
  machine.cancel();
  EXPECT_FALSE(host.visible);
  EXPECT_EQ(machine.state(), HintStateMachine::State::Idle);
  EXPECT_FALSE(host.showDue || host.hideDue);
  moveTo({121, 130}, kGetData);
  advance(499);
  EXPECT_EQ(host.shown.size(), 1u);
  advance(1);
  EXPECT_EQ(host.shown.size(), 2u);
}

TEST_F(HintStateMachineTest, NothingShowsWhenTheTimeComesAndTheHintNoLongerApplies) {
  struct Case {
    const char* name;
    void (*spoil)(FakeHintHost&, HintStateMachine&);
  } cases[] = {
      {"another application is active",
       [](FakeHintHost& h, HintStateMachine&) { h.active = false; }},
      {"the pointer is on another control without a move",
       [](FakeHintHost& h, HintStateMachine&) { h.under = kSelectAll; }},
      {"the control has no hint text",
       [](FakeHintHost& h, HintStateMachine&) { h.under.text.clear(); }},
      {"hints are off", [](FakeHintHost&, HintStateMachine& m) { m.setHintsOn(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host = FakeHintHost{};
    machine.setHintsOn(true);
    moveTo({120, 130}, kGetData);
    c.spoil(host, machine);
    advance(10000);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(machine.state(), HintStateMachine::State::Idle);
    EXPECT_FALSE(machine.chainActive());
  }
  machine.setHintsOn(true);
}

TEST_F(HintStateMachineTest, EmptyHintInAChainEndsIt) {
  showGetData();
  const HintControl silent{reinterpret_cast<HintControlId>(9), Rect::fromSize(252, 100, 70, 65),
                           ""};
  moveTo({260, 130}, silent);
  EXPECT_FALSE(host.visible);
  EXPECT_FALSE(machine.chainActive());
}

TEST_F(HintStateMachineTest, TimerThatCannotStartCancels) {
  host.timersWork = false;
  moveTo({120, 130}, kGetData);
  advance(1000);
  EXPECT_TRUE(host.shown.empty());
  EXPECT_EQ(machine.state(), HintStateMachine::State::Idle);
}

TEST_F(HintStateMachineTest, QuickBalloonsAndLongTextsDoNotAnimate) {
  auto animationOf = [](const BalloonRequest& r) {
    BalloonAnimationInputs in;
    in.msSinceLastShown = r.msSinceLastShown;
    in.textLength = static_cast<std::int64_t>(r.text.size());
    in.animationOn = true;
    in.pointerY = r.pointer.y;
    in.balloonTop = r.hintPoint.y;
    return ChooseBalloonAnimation(in);
  };
  showGetData();
  EXPECT_FALSE(host.shown[0].msSinceLastShown);
  EXPECT_EQ(animationOf(host.shown[0]), BalloonAnimation::SlideDown);

  advance(250);
  moveTo({190, 130}, kSelectAll);
  EXPECT_EQ(host.shown[1].msSinceLastShown, 250);
  EXPECT_EQ(animationOf(host.shown[1]), BalloonAnimation::None);

  advance(251);
  moveTo({130, 130}, kGetData);
  EXPECT_EQ(host.shown[2].msSinceLastShown, 251);
  EXPECT_EQ(animationOf(host.shown[2]), BalloonAnimation::SlideDown);
}

}  // namespace
}  // namespace tarnwick::ui
