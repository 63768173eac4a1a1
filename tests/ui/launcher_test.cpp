#include "ui/launcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace tarnwick::ui {
namespace {

using ::testing::IsEmpty;

TEST(LauncherTest, HandsItsSettingsToTheShellAndReturnsItsErrorValue) {
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

  fake->shellAnswer = {false, 31, 0};
  EXPECT_EQ(launcher.OpenWithShell(), 31) << "the shell's error value";
  EXPECT_EQ(fake->shellRequests.size(), 2u);
}

}  // namespace
}  // namespace tarnwick::ui
