#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/platform.h"
#include "tests/support/env_guard.h"

namespace tarnwick::platform {
namespace {

namespace fs = std::filesystem;

ShellRequest Request(std::string verb, std::string file) {
  ShellRequest request;
  request.verb = std::move(verb);
  request.file = std::move(file);
  return request;
}

// A PATH whose xdg-open records its argument, working directory, process and session, and
// then waits until the test lets it end.
class PosixShellTest : public ::testing::Test {
 protected:
  PosixShellTest() {
    root = fs::temp_directory_path() / ("tarnwick-shell-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "bin");
    fs::create_directories(root / "folder with spaces");
    std::ofstream(root / "plain file") << "x";
    const fs::path opener = root / "bin" / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                          << "out='" << (root / "record").string() << "'\n"
                          << "printf '%s\\n%s\\n%s\\n' \"$1\" \"$(pwd)\" \"$$\" > \"$out.tmp\"\n"
                          << "cut -d' ' -f6 /proc/$$/stat >> \"$out.tmp\"\n"
                          << "mv \"$out.tmp\" \"$out\"\n"
                          << "i=0; while [ ! -e '" << (root / "release").string()
                          << "' ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\n";
    fs::permissions(opener, fs::perms::owner_all);
    env.set("PATH", (root / "bin").string());
  }
  ~PosixShellTest() override {
    std::ofstream(root / "release") << "";
    fs::remove_all(root);
  }

  // The lines the opener wrote, once it has written them.
  std::vector<std::string> record() {
    for (int i = 0; i < 200 && !fs::exists(root / "record"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(root / "record");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  fs::path root;
  testing::EnvGuard env;
  std::unique_ptr<Platform> platform = makeSystemPlatform();
};

TEST_F(PosixShellTest, ExploreHandsTheFolderToTheOpenerAndReturnsAtOnce) {
  const std::string folder = (root / "folder with spaces").string();
  const ShellResult result =
      platform->shellExecute({"Explore", folder, "", root.string(), ShowCommand::Normal});
  EXPECT_TRUE(result.ok);
  EXPECT_GT(result.instance, 32);
  const auto lines = record();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], folder);
  EXPECT_EQ(lines[1], root.string()) << "the working directory asked for";
  EXPECT_EQ(lines[3], lines[2]) << "the opener leads a session of its own";

  // It returned while the opener still ran; once that ends, nothing is left of it.
  const fs::path process = fs::path("/proc") / lines[2];
  EXPECT_TRUE(fs::exists(process));
  std::ofstream(root / "release") << "";
  for (int i = 0; i < 300 && fs::exists(process); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(fs::exists(process)) << "collected, not left as a zombie";
}

TEST_F(PosixShellTest, OpenPassesAddressesAndOddNamesAsOneArgument) {
  const struct {
    const char* verb;
    std::string file;
    std::string passed;
  } cases[] = {
      {"Open", "https://tarnwick.example/", "https://tarnwick.example/"},
      {"open", "-rf", "./-rf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    fs::remove(root / "record");
    EXPECT_TRUE(platform->shellExecute(Request(c.verb, c.file)).ok);
    const auto lines = record();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], c.passed);
  }
}

TEST_F(PosixShellTest, RefusesWhatItCannotOpenWithoutStartingAnything) {
  const struct {
    const char* name;
    ShellRequest request;
    bool removeOpener;
  } cases[] = {
      {"a file to explore", Request("Explore", (root / "plain file").string()), false},
      {"a missing folder", Request("Explore", (root / "gone").string()), false},
      {"no file", Request("Explore", ""), false},
      {"an unknown verb", Request("Print", (root / "folder with spaces").string()), false},
      {"no opener installed", Request("Explore", (root / "folder with spaces").string()), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.removeOpener) fs::remove(root / "bin" / "xdg-open");
    const ShellResult result = platform->shellExecute(c.request);
    EXPECT_FALSE(result.ok);
    EXPECT_GT(result.instance, 0);
    EXPECT_LE(result.instance, 32);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(root / "record"));
  }
}

}  // namespace
}  // namespace tarnwick::platform
