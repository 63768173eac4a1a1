// A main window over a fake system whose 29 folders all lie in an in-memory tree, shown
// offscreen, with helpers that click its real buttons and wait for its runs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/survey_tree.h"
#include "ui/qt/folder_list_view.h"
#include "ui/qt/main_window.h"

namespace tarnwick::ui::testing {

class WindowTest : public ::testing::Test {
 public:
  WindowTest() {
    fake->tree = SurveyTree();
    fake->treeRoot = "/t";
    LocateRowsInTree(*fake);
  }

  MainWindow& window() {
    if (!window_) {
      window_ = std::make_unique<MainWindow>(*fake);
      window_->show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    return *window_;
  }
  template <typename T = QWidget>
  T* child(const char* name) {
    T* found = window().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QPushButton* button(const char* name) { return child<QPushButton>(name); }
  FolderListView* list() { return child<FolderListView>("lv1"); }
  QString status() { return child<QLabel>("stat1")->text(); }
  QString progress() { return child<QLabel>("progress1")->text(); }
  const std::vector<FolderRow>& rows() { return window().folderList().rows(); }

  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
  // Clicks a command that runs off the window's thread and waits for the run to end.
  void clickAndWait(const char* name) {
    QSignalSpy finished(&window(), &MainWindow::surveyFinished);
    click(name);
    ASSERT_TRUE(finished.wait(10000)) << name;
  }

  std::unique_ptr<platform::FakePlatform> fake = platform::FakePlatform::Posix();
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tarnwick::ui::testing
