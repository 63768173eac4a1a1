#include "ui/qt/balloon_hint.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <functional>

#include "tests/ui/qt/window_fixture.h"
#include "ui/qt/balloon_hint_controller.h"
#include "ui/qt/balloon_icon.h"
#include "ui/qt/balloon_window.h"

namespace tarnwick::ui {
namespace {

const std::string kGetDataHint = "Retrieve information for selected special folders";

bool WaitFor(const std::function<bool()>& condition, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > ms) return false;
    QTest::qWait(5);
  }
  return true;
}

BalloonWindow* VisibleBalloon() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == "balloonWindow" && w->isVisible()) return static_cast<BalloonWindow*>(w);
  }
  return nullptr;
}

class BalloonOnWindowTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  }
  // Rests the pointer on a point of the widget until a balloon shows.
  BalloonWindow* restOn(QWidget* widget, QPoint pos) {
    QTest::mouseMove(widget, pos);
    return WaitFor([] { return VisibleBalloon() != nullptr; }, 3000) ? VisibleBalloon() : nullptr;
  }
};

TEST_F(BalloonOnWindowTest, RestingOnGetDataShowsItsBalloonAboveAndAClickHidesIt) {
  QPushButton* getData = button("btn1");
  ASSERT_FALSE(getData->hasMouseTracking());
  ASSERT_NE(window().balloonHint(), nullptr);
  EXPECT_EQ(window().balloonHint()->objectName(), "balloonHint");
  QElapsedTimer rest;
  rest.start();
  BalloonWindow* balloon = restOn(getData, QPoint(30, 30));
  ASSERT_NE(balloon, nullptr);
  EXPECT_GE(rest.elapsed(), 500);
  EXPECT_FALSE(QToolTip::isVisible());

  const BalloonLayout& b = balloon->placedLayout();
  EXPECT_EQ(b.messageText, kGetDataHint);
  EXPECT_EQ(b.headerText, "Tarnwick");
  EXPECT_TRUE(b.hasIcon);
  EXPECT_EQ(b.iconSize, (Size{32, 32}));
  EXPECT_EQ(b.stemInset, 16);
  EXPECT_EQ(b.stemHeight, 19);
  // Never activated, transparent to the mouse, cut to its shape, four rows taller than it.
  EXPECT_TRUE(balloon->windowFlags().testFlag(Qt::ToolTip));
  EXPECT_TRUE(balloon->windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_TRUE(balloon->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
  EXPECT_TRUE(balloon->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(balloon->height(), b.rect.height() + 4);
  EXPECT_FALSE(balloon->mask().isEmpty());
  EXPECT_EQ(QApplication::activeWindow(), &window());

  // The centred window's toolbar lies in the upper half of the screen: the balloon opens above
  // the pointer. The hint point lies a cursor's height below the pointer and an upward stem
  // ends that far above it, so the tip touches the pointer.
  const QPoint pointer = getData->mapToGlobal(QPoint(30, 30));
  EXPECT_FALSE(IsDownward(b.placement));
  EXPECT_EQ(b.rect.bottom, pointer.y());
  EXPECT_EQ(balloon->geometry().top(), b.rect.top);

  QTest::mousePress(getData, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_EQ(VisibleBalloon(), nullptr);
  QTest::mouseRelease(getData, Qt::LeftButton, {}, QPoint(30, 30));
}

TEST_F(BalloonOnWindowTest, ListBalloonOpensBelowThePointerInTheLowerHalf) {
  QWidget* viewport = list()->viewport();
  const QPoint inside(viewport->width() / 2, viewport->height() - 20);
  ASSERT_GT(2 * viewport->mapToGlobal(inside).y(),
            QGuiApplication::primaryScreen()->availableGeometry().bottom());
  BalloonWindow* balloon = restOn(viewport, inside);
  ASSERT_NE(balloon, nullptr);
  const BalloonLayout& b = balloon->placedLayout();
  EXPECT_EQ(b.messageText,
            "Special folders list, double click on a populated folder to explore it");
  EXPECT_TRUE(IsDownward(b.placement));
  EXPECT_GT(b.rect.top, viewport->mapToGlobal(inside).y());
  EXPECT_EQ(b.stemArea.top, 0);
}

TEST_F(BalloonOnWindowTest, SwitchingBalloonsOffGivesTheToolTipsBack) {
  QPushButton* getData = button("btn1");
  EXPECT_NE(BalloonHintController::active(), nullptr);
  window().balloonHint()->setUseBalloonAsApplicationHint(false);
  EXPECT_EQ(BalloonHintController::active(), nullptr);
  QHelpEvent help(QEvent::ToolTip, QPoint(30, 30), getData->mapToGlobal(QPoint(30, 30)));
  EXPECT_TRUE(QApplication::sendEvent(getData, &help));
  EXPECT_TRUE(QToolTip::isVisible());
  QToolTip::hideText();
}

}  // namespace
}  // namespace tarnwick::ui
