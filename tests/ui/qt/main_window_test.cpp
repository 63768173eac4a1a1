#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>

#include "core/size_text.h"
#include "tests/ui/qt/window_fixture.h"

namespace tarnwick::ui::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(WindowTest, StartsWithTheCatalogueUntickedAnEmptyStatusAndGetDataFocused) {
  EXPECT_EQ(window().windowTitle(), "Tarnwick 1.0");
  EXPECT_FALSE(window().windowIcon().isNull());
  ASSERT_EQ(list()->model()->rowCount(), 29);
  for (int row = 0; row < 29; ++row) {
    SCOPED_TRACE(row);
    const QModelIndex folder = list()->model()->index(row, 0);
    EXPECT_EQ(folder.data().toString().toStdString(), FolderCatalogue[row].Caption);
    EXPECT_EQ(folder.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(list()->model()->index(row, 1).data().toString(), "");
  }
  EXPECT_EQ(status(), "");
  EXPECT_EQ(window().focusWidget(), button("btn1"));
  EXPECT_THAT(list()->model()->headerData(0, Qt::Horizontal).toString(), "Folder");
  EXPECT_THAT(list()->model()->headerData(1, Qt::Horizontal).toString(), "Location");
  EXPECT_THAT(list()->model()->headerData(2, Qt::Horizontal).toString(), "Size");
}

TEST_F(WindowTest, IsCentredOnTheDesktop) {
  // The offscreen screen is 800 by 800 and draws no frame; the window's outer size follows its
  // minimum and its fonts, so its halves are taken here from the size it got.
  ASSERT_EQ(window().screen()->virtualGeometry(), QRect(0, 0, 800, 800));
  const QRect frame = window().frameGeometry();
  ASSERT_GE(frame.width(), 550);
  EXPECT_EQ(frame.topLeft(), QPoint(400 - frame.width() / 2, 400 - frame.height() / 2));
}

TEST_F(WindowTest, ToolbarReadsInOrderWithAboutAndExitAtTheRightEdge) {
  const char* leftToRight[] = {"btn1", "btn2", "btn3", "btn6", "btn7", "btn5", "btn4"};
  const char* captions[] = {"Get Data", "Select All", "Select None", "Export",
                            "Clear",    "About...",   "Exit"};
  for (int width : {550, 900}) {
    SCOPED_TRACE(width);
    window().resize(width, 400);
    QApplication::processEvents();
    int left = -1;
    for (std::size_t i = 0; i < std::size(leftToRight); ++i) {
      SCOPED_TRACE(leftToRight[i]);
      QPushButton* b = button(leftToRight[i]);
      EXPECT_EQ(b->text(), captions[i]);
      EXPECT_EQ(b->size(), QSize(70, 65));
      EXPECT_EQ(b->y(), 4);
      EXPECT_GT(b->x(), left);
      left = b->x();
    }
    EXPECT_EQ(button("btn1")->x(), 4);
    EXPECT_EQ(button("btn7")->x(), 4 + 4 * 76);
    const int panelWidth = child("pnl1")->width();
    EXPECT_EQ(button("btn4")->x(), panelWidth - 4 - 70);
    EXPECT_EQ(button("btn5")->x(), panelWidth - 4 - 70 - 76);
    EXPECT_EQ(child("pnl1")->height(), 73);
  }
}

TEST_F(WindowTest, TabVisitsTheControlsInTheirOrder) {
  QApplication::setActiveWindow(&window());
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  button("btn1")->setFocus();
  const char* order[] = {"btn2", "btn3", "btn4", "btn5", "btn6", "btn7", "lv1", "btn1"};
  for (const char* next : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), next);
  }
}

TEST_F(WindowTest, ColumnsShareTheListWidthAfterEveryResize) {
  for (QSize size : {QSize(600, 400), QSize(777, 500), QSize(1001, 300)}) {
    SCOPED_TRACE(size.width());
    window().resize(size);
    QApplication::processEvents();
    const int width = list()->viewport()->width();
    QHeaderView* header = list()->horizontalHeader();
    EXPECT_EQ(header->sectionSize(0), width / 3 + width % 3);
    EXPECT_EQ(header->sectionSize(1), width / 3);
    EXPECT_EQ(header->sectionSize(2), width / 3);
    EXPECT_FALSE(list()->horizontalScrollBar()->isVisible());
  }
}

TEST_F(WindowTest, CannotBeMadeSmallerThanItsMinimumOuterSize) {
  window().resize(100, 100);
  QApplication::processEvents();
  EXPECT_GE(window().frameGeometry().width(), MinimumOuterWidth);
  EXPECT_GE(window().frameGeometry().height(), MinimumOuterHeight);
  window().resize(2000, 1500);
  QApplication::processEvents();
  EXPECT_EQ(window().width(), 2000);
}

TEST_F(WindowTest, EachCommandSetsItsStatusText) {
  click("btn2");
  EXPECT_EQ(status(), "All System Folders are Selected");
  for (const FolderRow& row : rows()) EXPECT_TRUE(row.Checked);
  click("btn3");
  EXPECT_EQ(status(), "All System Folders are Unselected");
  for (const FolderRow& row : rows()) EXPECT_FALSE(row.Checked);
  clickAndWait("btn1");
  EXPECT_EQ(status(), "Done");
  clickAndWait("btn7");
  EXPECT_EQ(status(), "All Cleared");
}

TEST_F(WindowTest, SelectAllThenGetDataFillsEveryRowInCatalogueOrder) {
  std::vector<int> filled;  // rows in the order they showed a location
  QObject::connect(list()->model(), &QAbstractItemModel::dataChanged,
                   [&](const QModelIndex& first, const QModelIndex& last) {
                     for (int row = first.row(); row <= last.row(); ++row)
                       if (!list()->model()->index(row, 1).data().toString().isEmpty() &&
                           std::find(filled.begin(), filled.end(), row) == filled.end())
                         filled.push_back(row);
                   });
  click("btn2");
  clickAndWait("btn1");
  EXPECT_EQ(status(), "Done");
  ASSERT_EQ(filled.size(), 29u);
  for (int row = 0; row < 29; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(filled[row], row);
    const std::uint64_t size = GetFolderSize(*fake, RowFolder(row), true);
    EXPECT_THAT(rows()[row].SubItems,
                ElementsAre(RowFolder(row), SizeToText(static_cast<std::int64_t>(size))));
    EXPECT_EQ(list()->model()->index(row, 1).data().toString().toStdString(), RowFolder(row));
    EXPECT_EQ(list()->model()->index(row, 2).data().toString().toStdString(),
              SizeToText(static_cast<std::int64_t>(size)));
  }
  std::uint64_t total = 0;
  for (std::size_t row = 0; row < 29; ++row) total += GetFolderSize(*fake, RowFolder(row), true);
  EXPECT_EQ(window().folderList().TotalSize(), total);
}

TEST_F(WindowTest, ClearAfterASurveyUnticksAndEmptiesEveryRow) {
  click("btn2");
  clickAndWait("btn1");
  clickAndWait("btn7");
  EXPECT_EQ(status(), "All Cleared");
  for (int row = 0; row < 29; ++row) {
    SCOPED_TRACE(row);
    EXPECT_FALSE(rows()[row].Checked);
    EXPECT_THAT(rows()[row].SubItems, IsEmpty());
    EXPECT_EQ(list()->model()->index(row, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(list()->model()->index(row, 1).data().toString(), "");
  }
  EXPECT_EQ(window().folderList().TotalSize(), 0u);
}

TEST_F(WindowTest, TheCheckBoxAndTheSpaceBarTickARow) {
  const QRect cell = list()->visualRect(list()->model()->index(3, 0));
  // The box sits at the left of the cell, vertically centred.
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                    QPoint(cell.left() + 10, cell.center().y()));
  EXPECT_TRUE(rows()[3].Checked);
  // The space bar ticks the focused row, whichever of its cells was clicked.
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                    list()->visualRect(list()->model()->index(5, 2)).center());
  QTest::keyClick(list(), Qt::Key_Space);
  EXPECT_TRUE(rows()[5].Checked);
  QTest::keyClick(list(), Qt::Key_Space);
  EXPECT_FALSE(rows()[5].Checked);
  EXPECT_TRUE(rows()[3].Checked);
}

}  // namespace
}  // namespace tarnwick::ui::testing
