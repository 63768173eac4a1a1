// The report from the command line: "export" beside the program and "survey --csv FILE".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "core/folder_size.h"
#include "core/size_text.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::cli {
namespace {

using platform::FakeNode;
using platform::FakePlatform;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A POSIX system with a temporary folder, and the program in a folder of its own.
class ExportCommandTest : public ::testing::Test {
 protected:
  ExportCommandTest() {
    dir = testing::MakeTemporaryFolder("tarnwick-cli-");
    FakeNode temp;
    temp.files = {{"b", 10}};
    fake->tree = FakeNode{};
    fake->tree->children["srv"].children["temp"] = temp;
    fake->environment["TMP"] = "/srv/temp";
    fake->computer = "WORKSTATION7";
    fake->modulePath = dir + "/tarnwick-cli";
  }
  ~ExportCommandTest() override { std::filesystem::remove_all(dir); }

  // The row of the temporary folder as the report writes it.
  std::string tempRow() { return "\r\nTemp,/srv/temp,\"" + tempSize() + "\"\r\n"; }
  std::string tempSize() {
    return SizeToText(static_cast<std::int64_t>(GetFolderSize(*fake, "/srv/temp", true)));
  }

  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    Context context{*fake, out, err};
    context.stop = &stop;
    return cli::Run(context, args);
  }

  std::string dir;
  std::unique_ptr<FakePlatform> fake = FakePlatform::Posix();
  std::ostringstream out, err;
  std::atomic<bool> stop{false};
};

TEST_F(ExportCommandTest, ExportWritesTheReportBesideTheProgramAndKeepsTheLastOne) {
  const std::string report = dir + "/tarnwick-cli.csv";
  ASSERT_EQ(run({"export", "temp"}), ExitSuccess) << err.str();
  EXPECT_EQ(out.str(), "Data Exported to: " + report + "\n");
  const std::string first = Read(report);
  EXPECT_THAT(first, HasSubstr(tempRow()));
  EXPECT_THAT(first, HasSubstr("\r\nReport for computer,WORKSTATION7\r\n"));
  EXPECT_THAT(first, HasSubstr("\r\nEstimated total size," + tempSize() + "\r\n"));

  fake->environment.erase("TMP");
  fake->tempFallback = "/nowhere";
  ASSERT_EQ(run({"export", "--all"}), ExitSuccess) << err.str();
  EXPECT_EQ(Read(dir + "/tarnwick-cli.bak"), first);
  EXPECT_THAT(Read(report), HasSubstr("\r\nTemp\r\n"));
}

TEST_F(ExportCommandTest, SurveyWritesTheSameReportToTheFileNamed) {
  const std::string file = dir + "/folders.csv";
  ASSERT_EQ(run({"survey", "Temp", "--csv", file}), ExitSuccess) << err.str();
  EXPECT_THAT(out.str(), HasSubstr("/srv/temp"));  // the table as without --csv
  const std::string first = Read(file);
  EXPECT_THAT(first, StartsWith("\"Common Files\"\r\n"));
  EXPECT_THAT(first, HasSubstr(tempRow()));
  ASSERT_EQ(run({"survey", "--all", "--json", "--csv=" + file}), ExitSuccess) << err.str();
  EXPECT_EQ(Read(dir + "/folders.bak"), first);
  EXPECT_FALSE(std::filesystem::exists(dir + "/tarnwick-cli.csv"));
}

TEST_F(ExportCommandTest, AReportThatCannotBeWrittenIsToldWithTheWindowsMessage) {
  // A missing folder: POSIX finds no file there (2), Windows no path (3).
  const bool windows = fake->fallback->pathStyle().delimiter == '\\';
  const std::string message =
      windows ? "tarnwick-cli: Invalid filename.\n" : "tarnwick-cli: File not found.\n";
  fake->modulePath = dir + "/missing/tarnwick-cli";
  EXPECT_EQ(run({"export", "temp"}), ExitReportFailed);
  EXPECT_EQ(err.str(), message);
  EXPECT_EQ(out.str(), "");

  EXPECT_EQ(run({"survey", "temp", "--csv", dir + "/missing/folders.csv"}), ExitReportFailed);
  EXPECT_EQ(err.str(), message);
}

TEST_F(ExportCommandTest, RefusesWhatWouldLoseAReport) {
  EXPECT_EQ(run({"survey", "temp", "--csv", dir + "/folders.bak"}), ExitUsage);
  EXPECT_THAT(err.str(), HasSubstr("backup"));
  EXPECT_EQ(run({"export"}), ExitUsage);
  EXPECT_EQ(run({"export", "--all", "temp"}), ExitUsage);
  EXPECT_EQ(run({"export", "nonesuch"}), ExitUsage);

  // A survey stopped half-way would pass for a whole one in the report.
  stop = true;
  EXPECT_EQ(run({"export", "temp"}), ExitStopped);
  EXPECT_THAT(err.str(), HasSubstr("no report written"));
  EXPECT_EQ(run({"survey", "temp", "--csv", dir + "/folders.csv"}), ExitStopped);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}

}  // namespace
}  // namespace tarnwick::cli
