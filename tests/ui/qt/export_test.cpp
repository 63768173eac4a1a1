#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/ui/qt/message_box_watch.h"
#include "tests/ui/qt/window_fixture.h"

namespace tarnwick::ui::testing {
namespace {

using ::testing::IsEmpty;

// The program's file lies in a temporary folder, so that the report is written beside it there.
class ExportTest : public WindowTest {
 protected:
  ExportTest() {
    folder = std::filesystem::temp_directory_path() /
             ("tarnwick-ui-export-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    fake->modulePath = (folder / "tarnwick").string();
  }
  ~ExportTest() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

TEST_F(ExportTest, WritesTheReportBesideTheProgram) {
  click("btn2");
  clickAndWait("btn1");
  MessageBoxWatch boxes;
  click("btn6");
  EXPECT_THAT(boxes.texts(), IsEmpty());
  std::ifstream report(folder / "tarnwick.csv");
  ASSERT_TRUE(report.good());
  std::string firstLine;
  std::getline(report, firstLine);
  EXPECT_NE(firstLine.find(RowFolder(0)), std::string::npos) << firstLine;
  EXPECT_NE(status().toStdString().find("tarnwick.csv"), std::string::npos)
      << status().toStdString();
}

TEST_F(ExportTest, ARefusedExportShowsOneMessageWithAFullStopAndTheWindowGoesOn) {
  // A folder where the report should go refuses every write of it.
  std::filesystem::create_directories(folder / "tarnwick.csv");
  MessageBoxWatch boxes;
  click("btn6");
  QTest::qWait(100);
  ASSERT_EQ(boxes.texts().size(), 1u);
  EXPECT_EQ(boxes.titles().front(), "Get special folders location and size");
  EXPECT_TRUE(boxes.texts().front().endsWith('.')) << boxes.texts().front().toStdString();
  EXPECT_EQ(boxes.icons().front(), QMessageBox::Critical);
  click("btn2");
  EXPECT_EQ(status(), "All System Folders are Selected");
}

}  // namespace
}  // namespace tarnwick::ui::testing
