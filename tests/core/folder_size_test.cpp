// The walk over the fake's in-memory trees: the rules that hold on every system, the parallel walk
// against the single-threaded one, progress and the stop request.
#include "core/folder_size.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/fake/fake_platform.h"
#include "tests/support/numbered_name.h"

namespace tarnwick {
namespace {

using platform::FakeNode;
using platform::FakePlatform;

// C:\Data with files at the top, two levels below, an empty folder, one that cannot be read and
// one deleted between the listing of C:\Data and its own opening.
std::unique_ptr<FakePlatform> WindowsData() {
  auto fake = FakePlatform::Windows();
  FakeNode data;
  data.files = {{"boot.ini", 211}, {"pagefile.sys", 6ull << 30}};
  FakeNode& docs = data.children["Docs"];
  docs.files = {{"a.doc", 1000}, {"b.doc", 24}};
  docs.children["Old"].files = {{"c.doc", 5}};
  data.children["Empty"];
  FakeNode& locked = data.children["Locked"];
  locked.unreadable = true;
  locked.files = {{"secret", 999}};
  FakeNode& gone = data.children["Gone"];
  gone.vanishes = true;
  gone.files = {{"deleted", 777}};
  fake->tree = data;
  fake->treeRoot = "C:\\Data";
  return fake;
}

TEST(GetFolderSize, SumsTheTreeAndCountsWhatItCouldNotRead) {
  auto fake = WindowsData();
  const std::uint64_t all = 211 + (6ull << 30) + 1000 + 24 + 5;
  struct Case {
    const char* path;
    bool includeSubfolders;
    std::uint64_t expected;
    std::uint64_t unreadable;
  };
  const Case cases[] = {
      {"C:\\Data", true, all, 1},
      {"C:\\Data\\", true, all, 1},
      {"C:\\Data", false, 211 + (6ull << 30), 0},
      {"C:\\Data\\Empty", true, 0, 0},
      {"C:\\Data\\Locked", true, 0, 1},
      {"C:\\Missing", true, 0, 1},
      {"C:\\Data\\Gone", true, 0, 1},
  };
  for (const Case& c : cases) {
    for (unsigned threads : {1u, 4u}) {
      SCOPED_TRACE(std::string(c.path) + (c.includeSubfolders ? " with" : " without") +
                   " subfolders, threads " + std::to_string(threads));
      WalkReport report;
      report.keepPaths = true;
      WalkOptions options{threads, nullptr, nullptr, &report};
      EXPECT_EQ(GetFolderSize(*fake, c.path, c.includeSubfolders, options), c.expected);
      EXPECT_EQ(report.unreadableDirectories, c.unreadable);
      EXPECT_EQ(report.unreadablePaths.size(), c.unreadable);
      EXPECT_FALSE(report.stopped);
    }
  }
}

// A tree wide and deep enough that several workers share it, with sizes that make any lost or
// doubled entry show in the sum.
FakeNode Generated(int levels, int width, std::uint64_t& sum, std::uint64_t& files) {
  FakeNode node;
  for (int f = 0; f < 3 + levels; ++f) {
    std::uint64_t size = (levels * 7919 + f * 104729) % 100003;
    node.files[testing::NumberedName('f', f)] = size;
    sum += size;
    ++files;
  }
  if (levels > 0)
    for (int d = 0; d < width; ++d)
      node.children[testing::NumberedName('d', d)] = Generated(levels - 1, width, sum, files);
  return node;
}

TEST(GetFolderSize, ParallelWalkAgreesWithTheSingleThreadedOne) {
  auto fake = FakePlatform::Posix();
  std::uint64_t sum = 0, files = 0;
  fake->tree = Generated(5, 5, sum, files);
  fake->treeRoot = "/data";
  for (unsigned threads : {1u, 2u, 3u, 16u}) {
    SCOPED_TRACE(threads);
    WalkProgress progress;
    WalkOptions options{threads, &progress, nullptr, nullptr};
    EXPECT_EQ(GetFolderSize(*fake, "/data", true, options), sum);
    EXPECT_EQ(progress.entries.load(), files);
  }
}

// On a slow tree the walk ends soon after the stop request, with the sum of what it measured.
TEST(GetFolderSize, StopsPromptlyWithAConsistentPartialSum) {
  auto fake = FakePlatform::Posix();
  FakeNode root;
  for (int d = 0; d < 2000; ++d)
    for (int f = 0; f < 10; ++f)
      root.children[testing::NumberedName('d', d)].files[testing::NumberedName('f', f)] = 1;
  fake->tree = root;
  fake->treeRoot = "/slow";
  fake->onList = [](const std::string&) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  };
  for (unsigned threads : {1u, 2u}) {
    SCOPED_TRACE(threads);
    std::atomic<bool> stop{false};
    WalkProgress progress;
    WalkReport report;
    std::uint64_t sum = 0;
    std::thread walk([&] {
      sum = GetFolderSize(*fake, "/slow", true, {threads, &progress, &stop, &report});
    });
    while (progress.entries.load() < 50) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    auto asked = std::chrono::steady_clock::now();
    stop = true;
    walk.join();
    // Generous against a loaded machine; the whole tree takes ten seconds or more.
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1));
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(sum, progress.entries.load());
    EXPECT_LT(sum, 20000u);
  }
}

}  // namespace
}  // namespace tarnwick
