#include "ui/launcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>

#include "tests/ui/window_fixture.h"

namespace tarnwick::ui::testing {
namespace {

using ::testing::IsEmpty;

TEST(LauncherTest, HandsItsSettingsToTheShellAndKeepsWhatTheShellReturned) {
  auto fake = platform::FakePlatform::Posix();
  Launcher launcher(*fake);
  EXPECT_EQ(launcher.Action, "Open");
  EXPECT_EQ(launcher.OpenWithShell(), 0) << "nothing to launch";
  EXPECT_THAT(fake->shellRequests, IsEmpty());

  launcher.Action = "Explore";
  launcher.FileName = "/home/ann";
  launcher.ShowMode = ShowState::Maximized;
  fake->shellAnswer = {true, 42, 7};
  EXPECT_EQ(launcher.OpenWithShell(), 0);
  ASSERT_EQ(fake->shellRequests.size(), 1u);
  EXPECT_EQ(fake->shellRequests[0].verb, "Explore");
  EXPECT_EQ(fake->shellRequests[0].file, "/home/ann");
  EXPECT_EQ(fake->shellRequests[0].parameters, "");
  EXPECT_EQ(fake->shellRequests[0].directory, "");
  EXPECT_EQ(fake->shellRequests[0].show, platform::ShowCommand::Maximized);
  EXPECT_EQ(launcher.instance(), 42);
  EXPECT_EQ(launcher.processHandle(), 7u);

  fake->shellAnswer = {false, 31, 0};
  EXPECT_EQ(launcher.OpenWithShell(), 31) << "the shell's error value";
  EXPECT_EQ(launcher.instance(), 0) << "reset at the start of the launch";
  EXPECT_EQ(launcher.processHandle(), 0u);
}

// The double-click rules, each case setting the rows up through the real commands.
class DoubleClickTest : public WindowTest {
 public:
  static constexpr int Row = 7;

  QPoint cellCentre(int row) { return list()->visualRect(list()->model()->index(row, 1)).center(); }
  void doubleClickRow(int row) {
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cellCentre(row));
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cellCentre(row));
  }
  void tick(int row) { window().folderList().rows()[row].Checked = true; }
  void surveyRowOnly(int row) {
    tick(row);
    clickAndWait("btn1");
  }
  std::vector<std::string> launchedFiles() {
    std::vector<std::string> files;
    for (const auto& request : fake->shellRequests) {
      EXPECT_EQ(request.verb, "Explore");
      files.push_back(request.file);
    }
    return files;
  }
};

TEST_F(DoubleClickTest, OpensOnlyATickedSurveyedRowWhoseFolderIsStillThere) {
  const struct {
    const char* name;
    std::function<void(DoubleClickTest&)> prepare;
    int clicks;
    std::vector<std::string> launched;
  } cases[] = {
      {"a surveyed ticked row",
       [](DoubleClickTest& t) { t.surveyRowOnly(Row); },
       1,
       {RowFolder(Row)}},
      {"two double-clicks, two launches",
       [](DoubleClickTest& t) { t.surveyRowOnly(Row); },
       2,
       {RowFolder(Row), RowFolder(Row)}},
      {"unticked since the survey",
       [](DoubleClickTest& t) {
         t.surveyRowOnly(Row);
         t.click("btn3");
       },
       1,
       {}},
      {"ticked after the last survey", [](DoubleClickTest& t) { t.tick(Row); }, 1, {}},
      {"ticked, but the survey found no folder",
       [](DoubleClickTest& t) {
         t.fake->shellFolders.erase(FolderCatalogue[Row].Source.csidl);
         t.surveyRowOnly(Row);
       },
       1,
       {}},
      {"surveyed twice, the first location used",
       [](DoubleClickTest& t) {
         t.surveyRowOnly(Row);
         t.fake->shellFolders[FolderCatalogue[Row].Source.csidl] = RowFolder(Row + 1);
         t.clickAndWait("btn1");
       },
       1,
       {RowFolder(Row)}},
      {"the folder was replaced by a file",
       [](DoubleClickTest& t) {
         t.surveyRowOnly(Row);
         auto& root = *t.fake->tree;
         root.children.erase(RowFolder(Row).substr(3));
         root.files[RowFolder(Row).substr(3)] = 100;
       },
       1,
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window_.reset();
    fake = platform::FakePlatform::Posix();
    fake->tree = SurveyTree();
    fake->treeRoot = "/t";
    LocateRowsInTree(*fake);
    c.prepare(*this);
    fake->shellRequests.clear();
    for (int i = 0; i < c.clicks; ++i) doubleClickRow(Row);
    EXPECT_EQ(launchedFiles(), c.launched);
    EXPECT_EQ(list()->selectionModel()->selectedRows().size(), 1);
  }
}

TEST_F(DoubleClickTest, DoesNothingWithoutASelectedRow) {
  surveyRowOnly(Row);
  fake->shellRequests.clear();
  // Tall enough for empty space below the last row; a click there clears the selection.
  window().resize(600, 1000);
  QApplication::processEvents();
  const QRect last = list()->visualRect(list()->model()->index(28, 1));
  ASSERT_LT(last.bottom() + 20, list()->viewport()->height());
  doubleClickRow(Row);
  ASSERT_EQ(fake->shellRequests.size(), 1u);
  const QPoint below(last.center().x(), last.bottom() + 20);
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, below);
  QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, below);
  EXPECT_TRUE(list()->selectionModel()->selectedRows().isEmpty());
  EXPECT_EQ(fake->shellRequests.size(), 1u);
  EXPECT_EQ(status(), "Done") << "the launcher leaves the status line alone";
}

}  // namespace
}  // namespace tarnwick::ui::testing
