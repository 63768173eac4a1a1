// Folders that nest and coincide, measured as one survey measures them: each folder's size and
// counts are what GetFolderSize gives for it alone, and no directory is listed twice.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/folder_size.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/numbered_name.h"

namespace tarnwick {
namespace {

using platform::FakeNode;
using platform::FakePlatform;

// A random tree below "/r" with unreadable and vanishing directories, and mounts that show
// another directory of the tree: an ancestor (a loop), the directory itself, a sibling's tree.
struct RandomTree {
  std::unique_ptr<FakePlatform> fake = FakePlatform::Posix();
  std::vector<std::string> readable;  // paths of readable directories, spelled without mounts
  std::vector<std::string> mounts;    // paths of the mounts

  explicit RandomTree(unsigned seed) {
    std::mt19937 rng(seed);
    fake->tree = FakeNode{};
    fake->treeRoot = "/r";
    readable.push_back("/r");
    grow(*fake->tree, "/r", 0, rng);
    const int mountCount = static_cast<int>(rng() % 5);
    for (int m = 0; m < mountCount; ++m) {
      const std::string at = readable[rng() % readable.size()];
      const std::string shown = readable[rng() % readable.size()];
      const std::string name = std::string("mount").append(std::to_string(m));
      // Found through a path without mounts, so that the node stays where it is.
      const_cast<FakeNode*>(fake->findNode(at))->children[name].shows = shown;
      mounts.push_back(at + "/" + name);
    }
  }

  void grow(FakeNode& node, const std::string& path, int depth, std::mt19937& rng) {
    for (unsigned f = rng() % 4; f > 0; --f)
      node.files[testing::NumberedName('f', static_cast<int>(f))] =
          rng() % 100000 + (std::uint64_t{rng() % 3} << 32);
    if (depth == 4) return;
    for (unsigned d = rng() % 4; d > 0; --d) {
      const std::string name = testing::NumberedName('d', static_cast<int>(d));
      FakeNode& child = node.children[name];
      const unsigned kind = rng() % 20;
      child.unreadable = kind == 0;
      child.vanishes = kind == 1;
      if (kind > 1) readable.push_back(path + "/" + name);
      grow(child, path + "/" + name, depth + 1, rng);
    }
  }

  // The folders of a survey: any readable directory, some spelled through a mount or with a
  // trailing delimiter, some twice.
  std::vector<std::string> folders(std::mt19937& rng) const {
    std::vector<std::string> chosen;
    for (int i = 0; i < 8; ++i) {
      std::string path = readable[rng() % readable.size()];
      if (i % 4 == 1 && !mounts.empty()) path = mounts[rng() % mounts.size()];
      if (i % 4 == 2) path += "/";
      chosen.push_back(path);
    }
    chosen.push_back(chosen.front());
    return chosen;
  }

  // The distinct directories a walk of all the folders reaches: those it lists, and the
  // unreadable ones it cannot.
  void reach(const std::string& path, std::set<const FakeNode*>& listed,
             std::set<const FakeNode*>& unreadable) const {
    std::vector<const FakeNode*> pending{fake->findNode(path)};
    while (!pending.empty()) {
      const FakeNode* node = pending.back();
      pending.pop_back();
      if (!listed.insert(node).second) continue;
      for (const auto& [name, child] : node->children) {
        const FakeNode* shown = child.shows ? fake->findNode(*child.shows) : &child;
        if (shown->vanishes) continue;
        if (shown->unreadable)
          unreadable.insert(shown);
        else
          pending.push_back(shown);
      }
    }
  }
};

TEST(FolderSizes, EachFolderMeasuresAsAloneAndEachDirectoryIsListedOnce) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    RandomTree tree(seed);
    std::mt19937 rng(seed);
    const std::vector<std::string> folders = tree.folders(rng);
    std::set<const FakeNode*> reachable, unreadable;
    for (const std::string& folder : folders) tree.reach(folder, reachable, unreadable);
    for (unsigned threads : {1u, 4u}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", threads " + std::to_string(threads));
      std::vector<std::uint64_t> alone;
      std::vector<FolderMeasure> aloneMeasures(folders.size());
      for (std::size_t i = 0; i < folders.size(); ++i)
        alone.push_back(GetFolderSize(*tree.fake, folders[i], true,
                                      {threads, nullptr, nullptr, nullptr, &aloneMeasures[i]}));

      tree.fake->listings.clear();
      FolderSizes sizes(*tree.fake);
      WalkReport report;
      WalkProgress progress;
      for (std::size_t i = 0; i < folders.size(); ++i) {
        SCOPED_TRACE(folders[i]);
        FolderMeasure measured;
        EXPECT_EQ(sizes.measure(folders[i], {threads, &progress, nullptr, &report, &measured}),
                  alone[i]);
        // The files and directories counted too, not the bytes alone.
        EXPECT_EQ(measured, aloneMeasures[i]);
      }
      for (const auto& [node, count] : tree.fake->listings) ASSERT_EQ(count, 1);
      EXPECT_EQ(tree.fake->listings.size(), reachable.size());
      EXPECT_EQ(sizes.listed(), reachable.size());
      EXPECT_EQ(progress.directories.load(), reachable.size());
      EXPECT_EQ(report.unreadableDirectories, unreadable.size());
      EXPECT_FALSE(report.stopped);
    }
  }
}

// A folder that cannot be read is one folder, whether the survey meets it as a folder of its own
// or inside another; so is a folder twice asked for.
TEST(FolderSizes, ReportsAnUnreadableFolderOnce) {
  auto fake = FakePlatform::Windows();
  fake->tree = FakeNode{};
  fake->treeRoot = "C:";
  fake->tree->files["pagefile.sys"] = 4096;
  fake->tree->children["Locked"].unreadable = true;
  for (const std::vector<std::string>& order : {std::vector<std::string>{"C:\\", "C:\\Locked"},
                                                {"C:\\Locked", "C:\\"},
                                                {"C:\\Locked", "C:\\Locked\\"}}) {
    SCOPED_TRACE(order.front() + " then " + order.back());
    FolderSizes sizes(*fake);
    WalkReport report;
    report.keepPaths = true;
    for (const std::string& folder : order) sizes.measure(folder, {1, nullptr, nullptr, &report});
    EXPECT_EQ(report.unreadableDirectories, 1u);
    EXPECT_EQ(report.unreadablePaths, std::vector<std::string>{"C:\\Locked"});
  }
}

// A stop leaves the folder in hand unmeasured; the folders measured after it are listed afresh,
// so none takes a sum that the stop cut short.
TEST(FolderSizes, AFolderMeasuredAfterAStopIsWhole) {
  RandomTree tree(7);
  ASSERT_GT(tree.readable.size(), 5u);
  const std::uint64_t whole = GetFolderSize(*tree.fake, "/r", true);
  std::atomic<bool> stop{false};
  int opened = 0;
  tree.fake->onList = [&](const std::string&) {
    if (++opened == 3) stop = true;
  };
  FolderSizes sizes(*tree.fake);
  WalkReport report;
  sizes.measure("/r", {1, nullptr, &stop, &report});
  EXPECT_TRUE(report.stopped);
  tree.fake->onList = nullptr;
  EXPECT_EQ(sizes.measure("/r", {1}), whole);
}

}  // namespace
}  // namespace tarnwick
