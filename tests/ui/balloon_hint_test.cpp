#include "ui/balloon_hint.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <functional>

#include "ui/balloon_hint_controller.h"
#include "ui/balloon_icon.h"
#include "ui/balloon_window.h"

namespace tarnwick::ui {
namespace {

const QString kGetDataHint = "Retrieve information for selected special folders";

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

// A toolbar of two buttons that do not track the mouse, with the program's balloon hints.
class ToolbarWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QHBoxLayout(&window);
    getData = new QToolButton;
    getData->setText("Get Data");
    getData->setToolTip(kGetDataHint);
    getData->setFixedSize(70, 65);
    layout->addWidget(getData);
    layout->addStretch();
    hint = MakeProgramBalloonHint(&window, MakeBalloonImageList(&window));
    window.resize(534, 365);
    // Near the top of the screen, so that the toolbar lies in the upper half of the work area.
    window.move(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(20, 20));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  QWidget window;
  QToolButton* getData = nullptr;
  BalloonHint* hint = nullptr;
};

TEST_F(ToolbarWindow, RestingOnGetDataShowsItsBalloonAndAClickHidesIt) {
  ASSERT_FALSE(getData->hasMouseTracking());
  QElapsedTimer rest;
  rest.start();
  QTest::mouseMove(getData, QPoint(30, 30));
  ASSERT_TRUE(WaitFor([] { return VisibleBalloon() != nullptr; }, 3000));
  EXPECT_GE(rest.elapsed(), 500);
  EXPECT_FALSE(QToolTip::isVisible());

  BalloonWindow* balloon = VisibleBalloon();
  const BalloonLayout& b = balloon->placedLayout();
  EXPECT_EQ(b.messageText, kGetDataHint);
  EXPECT_EQ(b.headerText, "Tarnwick");
  EXPECT_TRUE(b.hasIcon);
  EXPECT_EQ(b.iconSize, (BalloonSize{32, 32}));
  EXPECT_EQ(b.stemInset, 16);
  EXPECT_EQ(b.stemHeight, 19);
  // Never activated, transparent to the mouse, cut to its shape, four rows taller than it.
  EXPECT_TRUE(balloon->windowFlags().testFlag(Qt::ToolTip));
  EXPECT_TRUE(balloon->windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_TRUE(balloon->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
  EXPECT_TRUE(balloon->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(balloon->height(), b.rect.height() + 4);
  EXPECT_FALSE(balloon->mask().isEmpty());
  EXPECT_EQ(QApplication::activeWindow(), &window);

  // The button's pointer lies in the upper half of the screen: the balloon opens above it.
  const QPoint pointer = getData->mapToGlobal(QPoint(30, 30));
  EXPECT_FALSE(IsDownward(b.placement));
  // The hint point lies a cursor's height below the pointer, and an upward stem ends that far
  // above it: the tip touches the pointer.
  EXPECT_EQ(b.rect.bottom, pointer.y());
  EXPECT_EQ(balloon->geometry().top(), b.rect.top);

  QTest::mousePress(getData, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_EQ(VisibleBalloon(), nullptr);
  QTest::mouseRelease(getData, Qt::LeftButton, {}, QPoint(30, 30));
}

TEST_F(ToolbarWindow, SwitchingBalloonsOffGivesTheToolTipsBack) {
  EXPECT_NE(BalloonHintController::active(), nullptr);
  hint->setUseBalloonAsApplicationHint(false);
  EXPECT_EQ(BalloonHintController::active(), nullptr);
  QHelpEvent help(QEvent::ToolTip, QPoint(30, 30), getData->mapToGlobal(QPoint(30, 30)));
  EXPECT_TRUE(QApplication::sendEvent(getData, &help));
  EXPECT_TRUE(QToolTip::isVisible());
  QToolTip::hideText();
}

}  // namespace
}  // namespace tarnwick::ui
