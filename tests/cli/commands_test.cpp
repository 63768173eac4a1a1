#include "cli/commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "platform/fake/fake_platform.h"

namespace tarnwick::cli {
namespace {

using platform::FakeNode;
using platform::FakePlatform;
using ::testing::HasSubstr;
using ::testing::Not;

// A POSIX system whose folders lie in the fake's tree under /srv: /srv/share holds 1536 bytes
// ("1.5 KB"), /srv/temp 10 bytes, and /srv itself one byte more, 1547 in all.
class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    FakeNode share;
    share.files = {{"a", 1536}};
    FakeNode temp;
    temp.files = {{"b", 10}};
    FakeNode srv;
    srv.children = {{"share", share}, {"temp", temp}};
    srv.files = {{"c", 1}};
    fake->tree = FakeNode{};
    fake->tree->children["srv"] = srv;
    fake->treeRoot = "";
    fake->registry["CommonFilesDir"] = platform::WideString("/srv/share/");
    fake->environment["TMP"] = "/srv/temp";
    fake->shellFolders[40] = "/home/nobody";  // not in the tree
  }

  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    Context context{*fake, out, err};
    return cli::Run(context, args);
  }

  std::unique_ptr<FakePlatform> fake = FakePlatform::Posix();
  std::ostringstream out, err;
};

TEST_F(CliTest, ExitStatusSaysWhatWentWrong) {
  const struct {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{}, ExitUsage},
      {{"--help"}, ExitSuccess},
      {{"help", "size"}, ExitSuccess},
      {{"survey", "--help"}, ExitSuccess},
      {{"frobnicate"}, ExitUsage},
      {{"--frobnicate"}, ExitUsage},
      {{"list"}, ExitSuccess},
      {{"list", "extra"}, ExitUsage},
      {{"survey"}, ExitUsage},
      {{"survey", "--all", "Temp"}, ExitUsage},
      {{"survey", "--bytes", "Temp"}, ExitUsage},
      {{"survey", "No Such Folder"}, ExitUsage},
      {{"survey", "temp"}, ExitSuccess},
      {{"size"}, ExitUsage},
      {{"size", "--bytes=1", "/srv"}, ExitUsage},
      {{"size", "/srv"}, ExitSuccess},
      {{"size", "/nowhere"}, ExitNotADirectory},
      {{"size", "/srv/c"}, ExitNotADirectory},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(run(c.args), c.status);
    if (c.status == ExitUsage) {
      EXPECT_EQ(out.str(), "");
      EXPECT_NE(err.str(), "");
    }
  }
}

TEST_F(CliTest, AnUnknownFolderNameListsTheValidNames) {
  EXPECT_EQ(run({"survey", "Temp", "Desktp"}), ExitUsage);
  EXPECT_THAT(err.str(), HasSubstr("unknown folder \"Desktp\""));
  EXPECT_THAT(err.str(), HasSubstr("\n  Common Files\n"));
  EXPECT_THAT(err.str(), HasSubstr("\n  Profile\n"));
}

TEST_F(CliTest, ListShowsEveryFolderWithItsLocation) {
  ASSERT_EQ(run({"list"}), ExitSuccess);
  std::istringstream lines(out.str());
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) all.push_back(line);
  ASSERT_EQ(all.size(), 30u);  // the header and 29 rows
  EXPECT_EQ(all[0], "Folder                 Location");
  EXPECT_EQ(all[1], "Common Files           /srv/share");
  EXPECT_EQ(all[2], "Program Files");  // no trailing blanks where the location is empty
  EXPECT_EQ(all[5], "Temp                   /srv/temp");
  EXPECT_EQ(all[29], "Profile                /home/nobody");
}

TEST_F(CliTest, SurveyPrintsTheNamedRowsInCatalogueOrderAndTheTotal) {
  ASSERT_EQ(run({"survey", "PROFILE", "temp", "common files"}), ExitSuccess);
  EXPECT_THAT(out.str(), HasSubstr("Common Files  /srv/share  1.5 KB\n"));
  EXPECT_THAT(out.str(), HasSubstr("Temp          /srv/temp   10 bytes\n"));
  EXPECT_THAT(out.str(), HasSubstr("Profile\n"));  // its folder is missing here
  EXPECT_THAT(out.str(), HasSubstr("Total                     1.51 KB\n"));  // 1546 bytes
  EXPECT_LT(out.str().find("Common Files"), out.str().find("Temp"));
  EXPECT_LT(out.str().find("Temp"), out.str().find("Profile"));
  EXPECT_EQ(err.str(), "");  // no progress where standard error is no terminal
}

TEST_F(CliTest, SizePrintsLikeDuAndGoesOnPastAMissingPath) {
  EXPECT_EQ(run({"size", "--bytes", "/srv", "/nowhere", "/srv/temp/"}), ExitNotADirectory);
  EXPECT_EQ(out.str(), "1547\t/srv\n10\t/srv/temp/\n");
  EXPECT_EQ(err.str(), "tarnwick-cli: /nowhere: not a directory\n");

  EXPECT_EQ(run({"size", "/srv"}), ExitSuccess);
  EXPECT_EQ(out.str(), "1.51 KB\t/srv\n");
}

TEST_F(CliTest, AStopRequestEndsTheSurveyWithItsOwnStatus) {
  std::atomic<bool> stop{true};
  Context context{*fake, out, err};
  context.stop = &stop;
  EXPECT_EQ(cli::Run(context, {"survey", "--all"}), ExitStopped);
  EXPECT_EQ(out.str(), "Folder  Location  Size\nTotal             0 bytes\n");
  EXPECT_THAT(err.str(), HasSubstr("stopped while measuring \"Common Files\""));
}

TEST_F(CliTest, AStopDuringAWalkLeavesThatFolderAndTheLaterOnesOut) {
  std::atomic<bool> stop{false};
  fake->onList = [&](const std::string& path) {
    if (path.starts_with("/srv/temp")) stop = true;
  };
  Context context{*fake, out, err};
  context.stop = &stop;
  EXPECT_EQ(cli::Run(context, {"survey", "--all"}), ExitStopped);
  EXPECT_EQ(out.str(),
            "Folder         Location    Size\n"
            "Common Files   /srv/share  1.5 KB\n"
            "Program Files\n"
            "Windows\n"
            "System\n"
            "Total                      1.5 KB\n");
  EXPECT_THAT(err.str(), HasSubstr("stopped while measuring \"Temp\""));
}

TEST_F(CliTest, HelpNamesEveryCommandAndOption) {
  ASSERT_EQ(run({"--help"}), ExitSuccess);
  for (const char* word : {"list", "survey [--all | FOLDER...]", "size [--bytes] DIR..."}) {
    SCOPED_TRACE(word);
    EXPECT_THAT(out.str(), HasSubstr(word));
  }
  ASSERT_EQ(run({"size", "--help"}), ExitSuccess);
  EXPECT_THAT(out.str(), HasSubstr("--bytes"));
  EXPECT_THAT(out.str(), HasSubstr("--help"));
}

}  // namespace
}  // namespace tarnwick::cli

namespace tarnwick::cli {
namespace {

TEST_F(CliTest, SurveyJsonGivesExactBytesAndNullsForMissingFolders) {
  ASSERT_EQ(run({"survey", "Common Files", "Temp", "Favorites", "--json"}), ExitSuccess);
  EXPECT_EQ(out.str(),
            "{\n  \"version\": 1,\n  \"folders\": [\n"
            "    {\"caption\": \"Common Files\", \"location\": \"/srv/share\", \"bytes\": 1536, "
            "\"size\": \"1.5 KB\", \"files\": 1, \"directories\": 0},\n"
            "    {\"caption\": \"Temp\", \"location\": \"/srv/temp\", \"bytes\": 10, "
            "\"size\": \"10 bytes\", \"files\": 1, \"directories\": 0},\n"
            "    {\"caption\": \"Favorites\", \"location\": null, \"bytes\": null, \"size\": null, "
            "\"files\": null, \"directories\": null}\n  ],\n"
            "  \"total\": {\"bytes\": 1546, \"size\": \"1.51 KB\", \"files\": 2, "
            "\"directories\": 0},\n"
            "  \"not_counted\": {\"unreadable_directories\": 0, \"pseudo_file_systems\": 0, "
            "\"loops\": 0},\n"
            "  \"stopped\": false,\n  \"disk_usage\": false,\n  \"count_links_once\": false\n}\n");
}

TEST_F(CliTest, SizeJsonListsEachPathAndTheirSum) {
  ASSERT_EQ(run({"size", "--json", "/srv/share", "/srv/temp"}), ExitSuccess);
  EXPECT_THAT(out.str(), HasSubstr("{\"path\": \"/srv/share\", \"bytes\": 1536"));
  EXPECT_THAT(out.str(), HasSubstr("{\"path\": \"/srv/temp\", \"bytes\": 10"));
  EXPECT_THAT(out.str(), HasSubstr("\"total\": {\"bytes\": 1546,"));
}

}  // namespace
}  // namespace tarnwick::cli
