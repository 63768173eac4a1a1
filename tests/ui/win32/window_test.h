// A main window over a fake system whose 29 folders all lie in an in-memory tree, on a thread of
// its own; the tests drive it by messages from theirs.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/fake/fake_platform.h"
#include "tests/ui/survey_tree.h"
#include "tests/ui/win32/window_thread.h"

namespace tarnwick::ui::win32::testing {

using tarnwick::ui::testing::LocateRowsInTree;
using tarnwick::ui::testing::RowFolder;
using tarnwick::ui::testing::SurveyTree;

// Window tests need the display Wine draws on.
inline bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

class FakeWindowTest : public ::testing::Test {
 protected:
  FakeWindowTest() {
    fake->tree = SurveyTree();
    fake->treeRoot = "/t";
    LocateRowsInTree(*fake);
  }
  void SetUp() override {
    if (!HaveDisplay()) GTEST_SKIP() << "needs a display (DISPLAY), such as Xvfb's";
  }
  WindowThread& ui() {
    if (!ui_) ui_ = std::make_unique<WindowThread>(*fake);
    return *ui_;
  }

  std::unique_ptr<platform::FakePlatform> fake = platform::FakePlatform::Posix();
  std::unique_ptr<WindowThread> ui_;
};

}  // namespace tarnwick::ui::win32::testing
