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

#include "core/folder_catalogue.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/numbered_name.h"
#include "ui/folder_list_view.h"
#include "ui/main_window.h"

namespace tarnwick::ui::testing {

// "/t/r07" for row 7.
inline std::string RowFolder(std::size_t row) {
  return "/t/r" + std::string(row < 10 ? "0" : "") + std::to_string(row);
}

// Row r's folder holds `subfolders` folders of one file each and a file of r + 1 bytes.
inline platform::FakeNode SurveyTree(int subfolders = 0) {
  platform::FakeNode root;
  for (std::size_t row = 0; row < FolderCatalogue.size(); ++row) {
    platform::FakeNode folder;
    folder.files["data"] = row + 1;
    for (int i = 0; i < subfolders; ++i)
      folder.children[tarnwick::testing::NumberedName('d', i)].files["f"] = 10;
    root.children[RowFolder(row).substr(3)] = folder;
  }
  return root;
}

// Points every catalogue row of `fake` at its folder in the tree.
inline void LocateRowsInTree(platform::FakePlatform& fake) {
  auto narrow = [](const std::string& text) {
    platform::RegistryValue value;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    return value;
  };
  fake.registry["CommonFilesDir"] = narrow(RowFolder(0));
  fake.registry["ProgramFilesDir"] = narrow(RowFolder(1));
  fake.windowsDir = RowFolder(2);
  fake.systemDir = RowFolder(3);
  fake.environment["TMP"] = RowFolder(4);
  for (std::size_t row = 5; row < FolderCatalogue.size(); ++row)
    fake.shellFolders[FolderCatalogue[row].Source.csidl] = RowFolder(row);
}

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
