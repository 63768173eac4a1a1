#include "ui/double_click.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/fake/fake_platform.h"

namespace tarnwick::ui {
namespace {

// Three rows over a tree in which /t/docs and /t/music are folders and /t/gone is now a file.
class DoubleClickTest : public ::testing::Test {
 protected:
  DoubleClickTest() {
    platform::FakeNode root;
    root.children["docs"];
    root.children["music"];
    root.files["gone"] = 10;
    fake->tree = root;
    fake->treeRoot = "/t";
    rows = {{"Documents", true, {"/t/docs", "0 bytes"}},
            {"Music", false, {"/t/music", "0 bytes"}},
            {"Templates", true, {}}};
  }

  std::vector<std::string> launchedFor(std::optional<std::size_t> selected) {
    Launcher launcher(*fake);
    launcher.Action = "Explore";
    fake->shellRequests.clear();
    OpenDoubleClickedFolder(rows, selected, *fake, launcher);
    std::vector<std::string> files;
    for (const auto& request : fake->shellRequests) {
      EXPECT_EQ(request.verb, "Explore");
      files.push_back(request.file);
    }
    return files;
  }

  std::unique_ptr<platform::FakePlatform> fake = platform::FakePlatform::Posix();
  std::vector<FolderRow> rows;
};

TEST_F(DoubleClickTest, OpensOnlyTheFirstLocationOfATickedSurveyedRowThatIsStillAFolder) {
  using Files = std::vector<std::string>;
  const struct {
    const char* name;
    std::function<void(std::vector<FolderRow>&)> change;
    std::optional<std::size_t> selected;
    Files launched;
  } cases[] = {
      {"a ticked, surveyed row", [](auto&) {}, 0, {"/t/docs"}},
      {"no row selected", [](auto&) {}, std::nullopt, {}},
      {"a selection past the rows", [](auto&) {}, 3, {}},
      {"surveyed, unticked since", [](auto&) {}, 1, {}},
      {"ticked after the last survey", [](auto&) {}, 2, {}},
      {"surveyed twice: the first location",
       [](auto& r) {
         r[0].SubItems = {"/t/docs", "0 bytes", "/t/music", "0 bytes"};
       },
       0,
       {"/t/docs"}},
      {"a first entry that is empty counts as surveyed but opens nothing",
       [](auto& r) { r[2].SubItems = {""}; },
       2,
       {}},
      {"the folder became a file", [](auto& r) { r[0].SubItems[0] = "/t/gone"; }, 0, {}},
      {"the folder was removed", [](auto& r) { r[0].SubItems[0] = "/t/none"; }, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<FolderRow> saved = rows;
    c.change(rows);
    EXPECT_EQ(launchedFor(c.selected), c.launched);
    rows = saved;
  }
}

TEST_F(DoubleClickTest, TargetIsDecidedByTickAndEntriesAlone) {
  EXPECT_EQ(DoubleClickTarget(rows, 0), "/t/docs");
  EXPECT_EQ(DoubleClickTarget(rows, 1), std::nullopt);
  EXPECT_EQ(DoubleClickTarget(rows, 2), std::nullopt);
  rows[2].SubItems = {""};
  EXPECT_EQ(DoubleClickTarget(rows, 2), "") << "one empty entry passes the test";
}

TEST_F(DoubleClickTest, TwoDoubleClicksStartTwoLaunches) {
  Launcher launcher(*fake);
  OpenDoubleClickedFolder(rows, 0, *fake, launcher);
  OpenDoubleClickedFolder(rows, 0, *fake, launcher);
  EXPECT_EQ(fake->shellRequests.size(), 2u);
  EXPECT_EQ(rows[0].SubItems.size(), 2u) << "the row is left as it was";
}

}  // namespace
}  // namespace tarnwick::ui
