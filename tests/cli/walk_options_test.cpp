#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "platform/fake/fake_platform.h"

namespace tarnwick::cli {
namespace {

using platform::FakeNode;
using ::testing::HasSubstr;

// /data holds 100 bytes that can be read and two directories that cannot; Temp lies there.
class WalkOptionsTest : public ::testing::Test {
 protected:
  WalkOptionsTest() {
    FakeNode data;
    data.files = {{"kept", 100}};
    data.children["locked"].unreadable = true;
    data.children["deeper"].children["sealed"].unreadable = true;
    fake->tree = FakeNode{};
    fake->tree->children["data"] = data;
    fake->treeRoot = "";
    fake->environment["TMP"] = "/data";
  }
  int run(std::vector<std::string> args, const std::atomic<bool>* stop = nullptr) {
    out.str("");
    err.str("");
    Context context{*fake, out, err, false, stop};
    return cli::Run(context, args);
  }

  std::unique_ptr<platform::FakePlatform> fake = platform::FakePlatform::Posix();
  std::ostringstream out, err;
};

TEST_F(WalkOptionsTest, ThreadsTakesAPositiveWholeNumber) {
  for (const char* bad : {"0", "-1", "two", "2x", ""}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(run({"size", "--threads", bad, "/data"}), ExitUsage);
    EXPECT_THAT(err.str(), HasSubstr("--threads takes a whole number of 1 or more"));
    EXPECT_EQ(out.str(), "");
  }
  for (const char* threads : {"1", "3", "64"}) {
    SCOPED_TRACE(threads);
    EXPECT_EQ(run({"size", "--bytes", "--threads", threads, "/data"}), ExitSuccess);
    EXPECT_EQ(out.str(), "100\t/data\n");
    EXPECT_EQ(run({"survey", "temp", "--threads", threads}), ExitSuccess);
  }
}

TEST_F(WalkOptionsTest, WhatCouldNotBeReadIsCountedAfterTheTotalsAndListedOnRequest) {
  const std::string counted = "tarnwick-cli: not counted: 2 directories could not be read";
  EXPECT_EQ(run({"size", "--bytes", "/data"}), ExitSuccess);
  EXPECT_EQ(out.str(), "100\t/data\n");
  EXPECT_EQ(err.str(), counted + " (--errors lists them)\n");

  EXPECT_EQ(run({"size", "--errors", "--bytes", "/data"}), ExitSuccess);
  EXPECT_EQ(err.str(),
            counted + "\n  unreadable: /data/deeper/sealed\n  unreadable: /data/locked\n");

  EXPECT_EQ(run({"survey", "Temp", "--errors"}), ExitSuccess);
  EXPECT_THAT(out.str(), HasSubstr("Total"));
  EXPECT_EQ(err.str(),
            counted + "\n  unreadable: /data/deeper/sealed\n  unreadable: /data/locked\n");
}

TEST_F(WalkOptionsTest, AStoppedSizeStillPrintsWhatItMeasured) {
  std::atomic<bool> stop{true};
  EXPECT_EQ(run({"size", "--bytes", "/data", "/data/deeper"}, &stop), ExitStopped);
  EXPECT_EQ(out.str(), "0\t/data\n");
  EXPECT_THAT(err.str(), HasSubstr("stopped: /data was measured only in part"));
}

}  // namespace
}  // namespace tarnwick::cli
