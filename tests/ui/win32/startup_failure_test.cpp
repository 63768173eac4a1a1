// A failure before the message loop: the "Application Error" box, then exit code 1.
#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>

#include "tests/ui/win32/message_boxes.h"
#include "tests/ui/win32/window_test.h"
#include "ui/win32/application.h"

namespace tarnwick::ui::win32::testing {
namespace {

TEST(StartupFailureTest, AFailureBeforeTheLoopShowsApplicationErrorAndEndsWithOne) {
  if (!HaveDisplay()) GTEST_SKIP() << "needs a display (DISPLAY), such as Xvfb's";
  std::atomic<DWORD> threadId{0};
  StartupHooks hooks;
  hooks.windowCreated = [&](MainWindow&) {
    threadId = GetCurrentThreadId();
    throw std::runtime_error("The pictures could not be loaded");
  };
  auto result = std::async(std::launch::async, [&] { return RunApplication(hooks); });

  std::vector<MessageBoxSeen> boxes;
  ASSERT_TRUE(WaitUntil([&] {
    boxes = threadId ? OpenMessageBoxes(threadId) : std::vector<MessageBoxSeen>{};
    return !boxes.empty();
  }));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Application Error");
  const std::string& text = boxes[0].text;
  EXPECT_EQ(text.rfind("Exception std::runtime_error in module test_ui_win32.exe at ", 0), 0u)
      << text;
  EXPECT_NE(text.find(".\r\nThe pictures could not be loaded.\r\n"), std::string::npos) << text;
  PressOk(boxes[0]);
  ASSERT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(result.get(), 1);
}

}  // namespace
}  // namespace tarnwick::ui::win32::testing
