#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "tests/ui/qt/message_box_watch.h"
#include "tests/ui/qt/window_fixture.h"

namespace tarnwick::ui::testing {
namespace {

using ::testing::IsEmpty;

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Every folder of the tree takes a while to list, so that a survey of all rows lasts long
// enough to watch the window while it runs.
class SlowSurveyTest : public WindowTest {
 protected:
  SlowSurveyTest() {
    fake->tree = SurveyTree(40);
    fake->onList = [this](const std::string&) {
      ++listed;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
  }
  void startSurveyOfAllRows() {
    click("btn2");
    click("btn1");
    ASSERT_TRUE(window().surveyRunning());
    // Wait until the walk is well into its first rows.
    QTRY_VERIFY_WITH_TIMEOUT(listed > 100, 10000);
  }
  std::atomic<int> listed{0};
};

TEST_F(SlowSurveyTest, TheWindowPaintsAndShowsProgressWhileTheSurveyRuns) {
  startSurveyOfAllRows();
  PaintCounter counter(list()->viewport());
  list()->viewport()->update();
  QTRY_VERIFY_WITH_TIMEOUT(counter.paints > 0, 2000);
  EXPECT_EQ(status(), "Retriving Data...");
  // The text shown at the start holds no folder yet; the first sample, a quarter second on,
  // names the folder in hand.
  QTRY_VERIFY_WITH_TIMEOUT(progress().contains(": "), 2000);
  EXPECT_TRUE(progress().contains("entries")) << progress().toStdString();

  // Commands and ticks are not taken meanwhile.
  click("btn3");
  EXPECT_EQ(status(), "Retriving Data...");
  const QModelIndex box = list()->model()->index(28, 0);
  EXPECT_FALSE(list()->model()->setData(box, Qt::Unchecked, Qt::CheckStateRole));
  EXPECT_TRUE(rows()[28].Checked);

  QSignalSpy finished(&window(), &MainWindow::surveyFinished);
  QTest::keyClick(list(), Qt::Key_Escape);
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_FALSE(window().surveyRunning());
  EXPECT_EQ(status(), "Stopped");
}

TEST_F(SlowSurveyTest, EscapeStopsTheRunKeepingWhatItMeasured) {
  startSurveyOfAllRows();
  QSignalSpy finished(&window(), &MainWindow::surveyFinished);
  QTest::keyClick(button("btn1"), Qt::Key_Escape);
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_EQ(status(), "Stopped");

  // Rows before the one in hand have their values, later rows are untouched, and the window
  // shows exactly what the rows hold.
  std::size_t measured = 0;
  while (measured < rows().size() && !rows()[measured].SubItems.empty()) ++measured;
  ASSERT_LT(measured, rows().size()) << "the run was stopped before its end";
  std::uint64_t partial = 0;
  for (std::size_t row = 0; row < rows().size(); ++row) {
    SCOPED_TRACE(row);
    if (row >= measured) {
      EXPECT_THAT(rows()[row].SubItems, IsEmpty());
    } else {
      partial += row + 1 + 40 * 10;
    }
    const QString shown = list()->model()->index(static_cast<int>(row), 1).data().toString();
    EXPECT_EQ(shown.isEmpty(), row >= measured);
  }
  EXPECT_EQ(window().folderList().TotalSize(), partial);

  // The window takes commands again.
  click("btn3");
  EXPECT_EQ(status(), "All System Folders are Unselected");
}

TEST_F(SlowSurveyTest, ClosingTheWindowStopsTheRunAndThenCloses) {
  startSurveyOfAllRows();
  QSignalSpy finished(&window(), &MainWindow::surveyFinished);
  window().close();
  ASSERT_TRUE(finished.wait(5000));
  QTRY_VERIFY_WITH_TIMEOUT(!window().isVisible(), 2000);
  EXPECT_EQ(status(), "Stopped");
}

TEST_F(WindowTest, AfterARunTheProgressLineSaysHowManyFoldersCouldNotBeRead) {
  fake->tree->children["r05"].children["locked"].unreadable = true;
  fake->tree->children["r06"].children["locked"].unreadable = true;
  click("btn2");
  clickAndWait("btn1");
  EXPECT_EQ(progress(), "2 folders could not be read");
  fake->tree->children["r05"].children.erase("locked");
  clickAndWait("btn1");
  EXPECT_EQ(progress(), "1 folder could not be read");
  fake->tree->children["r06"].children.erase("locked");
  clickAndWait("btn1");
  EXPECT_EQ(progress(), "");
}

TEST_F(WindowTest, AFailureInsideARunIsShownAndTheRowsSoFarAreKept) {
  fake->onList = [](const std::string& path) {
    if (path == RowFolder(3)) throw std::runtime_error("Out of memory");
  };
  click("btn2");
  MessageBoxWatch boxes;
  clickAndWait("btn1");
  ASSERT_EQ(boxes.texts().size(), 1u);
  EXPECT_EQ(boxes.texts().front(), "Out of memory.");
  EXPECT_EQ(status(), "Retriving Data...");
  EXPECT_EQ(rows()[2].SubItems.size(), 2u);
  EXPECT_THAT(rows()[3].SubItems, IsEmpty());
  EXPECT_FALSE(window().surveyRunning());
}

}  // namespace
}  // namespace tarnwick::ui::testing
