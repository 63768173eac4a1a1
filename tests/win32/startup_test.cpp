// The Windows-only steps of the window's start-up: the show command it was started with.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/win32/win32_support.h"

namespace tarnwick::platform {
namespace {

TEST(Win32Startup, OnlyMaximisedAndMinimisedWithoutActivationChangeTheFirstShow) {
  struct Case {
    const char* what;
    std::optional<WORD> show;
    ShowCommand expected;
  };
  const Case cases[] = {
      {"no show command", std::nullopt, ShowCommand::Normal},
      {"SW_SHOWNORMAL", SW_SHOWNORMAL, ShowCommand::Normal},
      {"SW_SHOWMAXIMIZED", SW_SHOWMAXIMIZED, ShowCommand::Maximized},
      {"SW_SHOWMINNOACTIVE", SW_SHOWMINNOACTIVE, ShowCommand::Minimized},
      {"SW_SHOWMINIMIZED", SW_SHOWMINIMIZED, ShowCommand::Normal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::ProcessOutput run = testing::RunProgram("show_command_probe.exe", "", {}, c.show);
    EXPECT_EQ(run.output, std::to_string(static_cast<int>(c.expected)) + "\r\n");
  }
}

}  // namespace
}  // namespace tarnwick::platform
