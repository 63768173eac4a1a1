#include <gtest/gtest.h>

#include <QApplication>
#include <functional>

#include "tests/ui/qt/window_fixture.h"

namespace tarnwick::ui::testing {
namespace {

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
