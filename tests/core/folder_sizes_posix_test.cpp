// A survey's folders measured on this system's disks: random nested trees with hard links,
// symbolic links, bind mounts (one folder shown in another, or inside itself) and, for an
// unprivileged user, directories that cannot be read.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <random>
#include <set>
#include <sstream>

#include "core/folder_size.h"
#include "tests/core/temp_tree.h"

namespace tarnwick {
namespace {

using testing::RunInChild;
using testing::TempTree;

class SurveyOnDisk : public ::testing::Test {
 protected:
  ~SurveyOnDisk() override {
    for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it) umount2(it->c_str(), MNT_DETACH);
  }

  // Directories up to four levels deep with files of assorted lengths, some hard links between
  // them, links to directories, and directories that only their owner may enter or look into.
  void grow(unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::string> files;
    directories_ = {"."};
    for (std::size_t i = 0; i < directories_.size() && directories_.size() < 60; ++i) {
      const std::string parent = directories_[i];
      if (std::count(parent.begin(), parent.end(), '/') >= 4) continue;
      for (unsigned f = rng() % 4; f > 0; --f) {
        files.push_back(parent + "/f" + std::to_string(f));
        tree_.file(files.back(), rng() % 100000 + (std::uint64_t{rng() % 2} << 33));
      }
      for (unsigned d = rng() % 4; d > 0; --d) {
        directories_.push_back(parent + "/d" + std::to_string(d));
        tree_.directory(directories_.back());
      }
    }
    for (int l = 0; l < 5 && !files.empty(); ++l) {
      tree_.hardLink(files[rng() % files.size()],
                     directories_[rng() % directories_.size()] + "/hard" + std::to_string(l));
      tree_.symlink(tree_.at(directories_[rng() % directories_.size()]),
                    directories_[rng() % directories_.size()] + "/link" + std::to_string(l));
    }
    // Bind mounts last, so that the trees they show are whole.
    for (int m = 0; m < 3; ++m) {
      const std::string at =
          directories_[rng() % directories_.size()] + "/mount" + std::to_string(m);
      tree_.directory(at);
      struct stat hidden;
      if (stat(tree_.at(at).c_str(), &hidden) == 0)
        underMounts_.insert(std::to_string(hidden.st_dev) + ":" + std::to_string(hidden.st_ino));
      const std::string shown = tree_.at(directories_[rng() % directories_.size()]);
      if (mount(shown.c_str(), tree_.at(at).c_str(), nullptr, MS_BIND, nullptr) != 0) break;
      mounts_.push_back(tree_.at(at));
    }
    for (std::size_t d = 1; d < directories_.size(); ++d) {
      const unsigned kind = rng() % 12;
      if (kind < 2) chmod(tree_.at(directories_[d]).c_str(), kind == 0 ? 0700 : 0744);
    }
    // The folders asked for: spelled plainly, through a link, with a doubled or a trailing
    // delimiter, one twice.
    folders_.clear();
    for (int i = 0; i < 8; ++i)
      folders_.push_back(tree_.at(directories_[rng() % directories_.size()]));
    folders_[1] = tree_.at(directories_[rng() % directories_.size()] + "/link0");
    folders_[2] += "/";
    folders_[3] = tree_.path() + "//" + directories_.back();
    folders_.push_back(folders_.front());
  }

  // "" when every folder measures as alone and no directory is listed twice, else what differs.
  std::string compare(unsigned threads) {
    std::vector<FolderMeasure> alone(folders_.size());
    for (std::size_t i = 0; i < folders_.size(); ++i)
      GetFolderSize(*platform_, folders_[i], true, {threads, nullptr, nullptr, nullptr, &alone[i]});
    FolderSizes sizes(*platform_);
    WalkProgress progress;
    std::ostringstream differences;
    for (std::size_t i = 0; i < folders_.size(); ++i) {
      FolderMeasure measured;
      const std::uint64_t bytes =
          sizes.measure(folders_[i], {threads, &progress, nullptr, nullptr, &measured});
      // The space taken and the counts as well: what --disk-usage and --counts show.
      if (bytes != alone[i].bytes || measured != alone[i])
        differences << folders_[i] << ": " << bytes << " bytes, " << measured.allocated
                    << " allocated, " << measured.files << " files, " << measured.directories
                    << " directories in the survey; " << alone[i].bytes << ", "
                    << alone[i].allocated << ", " << alone[i].files << ", " << alone[i].directories
                    << " alone\n";
    }
    if (progress.directories != sizes.listed())
      differences << progress.directories << " listings of " << sizes.listed() << " directories\n";
    return differences.str();
  }

  // The distinct directories below the folders, as find and stat see them. A bind mount shows
  // the directories below it without the mounts on them, so find, coming through one mount to
  // a directory the walk already met through another, also meets the empty directories the
  // later mounts cover; the walk takes the directory for the one it met, and they are left out.
  std::size_t distinctDirectories() const {
    std::string command = "find -H";
    for (const std::string& folder : folders_) command += " '" + folder + "'";
    command += " -type d -print0 2>/dev/null | xargs -0 stat -L -c %d:%i | sort -u";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("popen failed");
    std::size_t count = 0;
    for (char line[64]; std::fgets(line, sizeof line, pipe);)
      count += underMounts_.count(std::string(line, std::strcspn(line, "\n"))) == 0;
    pclose(pipe);
    return count;
  }

  std::unique_ptr<platform::Platform> platform_ = platform::makeSystemPlatform();
  TempTree tree_;
  std::vector<std::string> directories_;
  std::vector<std::string> mounts_;
  std::set<std::string> underMounts_;  // "device:inode" of the directories mounted on
  std::vector<std::string> folders_;
};

TEST_F(SurveyOnDisk, EachFolderMeasuresAsAloneAndEachDirectoryIsListedOnce) {
  const bool root = geteuid() == 0;
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    grow(seed);
    if (mounts_.empty()) std::cerr << "no bind mounts here: trees without them\n";
    for (unsigned threads : {1u, 0u, 5u}) {
      SCOPED_TRACE("threads " + std::to_string(threads));
      EXPECT_EQ(compare(threads), "");
      FolderSizes sizes(*platform_);
      for (const std::string& folder : folders_) sizes.measure(folder, {threads});
      EXPECT_EQ(sizes.listed(), distinctDirectories());
      auto unprivileged = RunInChild(
          [root] {
            if (!root) return true;
            return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
          },
          [&] { return compare(threads); });
      ASSERT_TRUE(unprivileged);
      EXPECT_EQ(*unprivileged, "");
    }
    for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it) umount2(it->c_str(), MNT_DETACH);
    mounts_.clear();
    underMounts_.clear();
    const std::string empty =
        "chmod -R u+rwx '" + tree_.path() + "' && rm -rf '" + tree_.path() + "'/*";
    ASSERT_EQ(std::system(empty.c_str()), 0);
  }
}

}  // namespace
}  // namespace tarnwick
