// "Get Data" off the window's thread: progress, Esc, a close during the run, what could not be
// read; and the double-click that hands a surveyed folder to the shell.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/ui/win32/window_test.h"

namespace tarnwick::ui::win32::testing {
namespace {

using Id = MainWindow::ControlId;

// Every folder of the tree takes a while to list, so that a survey of all rows lasts long
// enough to watch the window while it runs.
class SlowSurveyTest : public FakeWindowTest {
 protected:
  SlowSurveyTest() {
    fake->tree = SurveyTree(40);
    fake->onList = [this](const std::string&) {
      ++listed;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
  }
  void startSurveyOfAllRows() {
    ui().click(Id::btn2Id);
    ui().click(Id::btn1Id);
    ASSERT_TRUE(ui().surveyRunning());
    ASSERT_TRUE(WaitUntil([this] { return listed > 100; }));
  }
  std::atomic<int> listed{0};
};

TEST_F(SlowSurveyTest, ProgressShowsWhileTheRunLastsAndCommandsWait) {
  startSurveyOfAllRows();
  EXPECT_EQ(ui().status(), "Retriving Data...");
  // The text shown at the start holds no folder yet; the first sample, a quarter second on,
  // names the folder in hand.
  ASSERT_TRUE(WaitUntil([this] { return ui().progress().find(": ") != std::string::npos; }));
  EXPECT_NE(ui().progress().find("entries"), std::string::npos) << ui().progress();
  // Rows are shown as their folders finish, before the run ends.
  ASSERT_TRUE(WaitUntil([this] { return !ui().itemText(0, 1).empty(); }));
  EXPECT_TRUE(ui().surveyRunning());

  // Commands and ticks are not taken meanwhile.
  ui().click(Id::btn3Id);
  EXPECT_EQ(ui().status(), "Retriving Data...");
  EXPECT_TRUE(ui().itemChecked(28));
  LVITEMA untick{};
  untick.stateMask = LVIS_STATEIMAGEMASK;
  untick.state = INDEXTOSTATEIMAGEMASK(1);
  SendMessageA(ui().control(Id::lv1Id), LVM_SETITEMSTATE, 28, reinterpret_cast<LPARAM>(&untick));
  EXPECT_TRUE(ui().itemChecked(28));
  bool rowTicked = false;
  ui().run([&] { rowTicked = ui().window().folderList().rows()[28].Checked; });
  EXPECT_TRUE(rowTicked);
}

TEST_F(SlowSurveyTest, EscapeStopsTheRunKeepingWhatItMeasured) {
  startSurveyOfAllRows();
  ui().pressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([this] { return !ui().surveyRunning(); }, std::chrono::seconds(5)));
  EXPECT_EQ(ui().status(), "Stopped");
  EXPECT_EQ(ui().itemText(0, 1), RowFolder(0));
  EXPECT_EQ(ui().itemText(28, 1), "");
  EXPECT_FALSE(ui().ended());
}

TEST_F(SlowSurveyTest, ClosingDuringTheRunStopsItThenCloses) {
  startSurveyOfAllRows();
  PostMessageA(ui().hwnd(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([this] { return ui().ended(); }, std::chrono::seconds(5)));
  EXPECT_EQ(ui().exitCode(), 0);
  EXPECT_LT(listed.load(), 40 * 29) << "the run went on to its end";
}

TEST_F(FakeWindowTest, SaysHowManyFoldersCouldNotBeRead) {
  fake->tree->children["r03"].children["locked"].unreadable = true;
  fake->tree->children["r09"].children["a"].unreadable = true;
  ui().click(Id::btn2Id);
  ui().clickAndWait(Id::btn1Id);
  EXPECT_EQ(ui().progress(), "2 folders could not be read");
  EXPECT_EQ(ui().status(), "Done");
  // The next run starts afresh.
  ui().click(Id::btn3Id);
  ui().clickAndWait(Id::btn1Id);
  EXPECT_EQ(ui().progress(), "");
}

// A double-click reaches the shell, recorded by the fake, only for a ticked, surveyed row whose
// folder still exists.
TEST_F(FakeWindowTest, DoubleClickExploresTheFirstLocationOfATickedSurveyedRow) {
  constexpr int Row = 7;
  const auto tick = [this](int row, bool on) {
    LVITEMA state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
    SendMessageA(ui().control(Id::lv1Id), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  };
  tick(Row, true);
  // Ticked but not yet surveyed: nothing.
  ui().doubleClickRow(Row);
  EXPECT_TRUE(fake->shellRequests.empty());

  ui().clickAndWait(Id::btn1Id);
  ui().clickAndWait(Id::btn1Id);  // a second pair of values: the first is opened
  ui().doubleClickRow(Row);
  ASSERT_EQ(fake->shellRequests.size(), 1u);
  EXPECT_EQ(fake->shellRequests[0].verb, "Explore");
  EXPECT_EQ(fake->shellRequests[0].file, RowFolder(Row));
  EXPECT_EQ(fake->shellRequests[0].show, platform::ShowCommand::Normal);
  ui().doubleClickRow(Row);
  EXPECT_EQ(fake->shellRequests.size(), 2u) << "each double-click launches";

  // Surveyed, then unticked: nothing.
  tick(Row, false);
  ui().doubleClickRow(Row);
  EXPECT_EQ(fake->shellRequests.size(), 2u);

  // Ticked again, but the folder is gone since the survey: nothing.
  tick(Row, true);
  fake->tree->children.erase(RowFolder(Row).substr(3));
  ui().doubleClickRow(Row);
  EXPECT_EQ(fake->shellRequests.size(), 2u);

  // An unsurveyed row beside it: nothing.
  tick(Row + 1, true);
  ui().doubleClickRow(Row + 1);
  EXPECT_EQ(fake->shellRequests.size(), 2u);
  EXPECT_EQ(ui().status(), "Done") << "the launcher leaves the status line alone";
}

}  // namespace
}  // namespace tarnwick::ui::win32::testing
