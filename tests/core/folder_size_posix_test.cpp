// The walk over real trees on this system's file systems, checked against find.
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>

#include <cstddef>
#include <set>
#include <sstream>
#include <thread>

#include "core/folder_size.h"
#include "core/link_register.h"
#include "tests/core/temp_tree.h"

namespace tarnwick {
namespace {

using testing::FindSum;
using testing::RunInChild;
using testing::TempTree;

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
// One thread, the default count, and another count.
constexpr unsigned kThreadCounts[] = {1, 0, 7};

class WalkOnDisk : public ::testing::Test {
 protected:
  std::uint64_t Size(const std::string& path, unsigned threads, bool includeSubfolders = true,
                     WalkReport* report = nullptr) {
    WalkOptions options;
    options.threads = threads;
    options.report = report;
    return GetFolderSize(*platform_, path, includeSubfolders, options);
  }
  // "sum unreadable loops pseudo" and the kept paths, one text for answers from a child.
  std::string Describe(const std::string& path, unsigned threads) {
    WalkReport report;
    report.keepPaths = true;
    std::ostringstream text;
    text << Size(path, threads, true, &report) << ' ' << report.unreadableDirectories << ' '
         << report.loops << ' ' << report.pseudoFileSystems;
    for (const std::string& unreadable : report.unreadablePaths) text << "\n" << unreadable;
    return text.str();
  }

  std::unique_ptr<platform::Platform> platform_ = platform::makeSystemPlatform();
  TempTree tree_;
};

// Every kind of entry at once: hidden, sparse beyond 4 GiB, links to an ancestor, to a file and
// to nothing, a hard link, a FIFO, names with a newline and bytes that are not UTF-8.
TEST_F(WalkOnDisk, CountsEveryEntryOnceAndFollowsNoLink) {
  tree_.file("a.txt", 100);
  tree_.file(".hidden", 7);
  tree_.directory(".hidden-dir");
  tree_.file(".hidden-dir/x", 11);
  tree_.file("sparse", 5 * kGiB);
  tree_.directory("sub");
  tree_.file("sub/b", 200);
  tree_.hardLink("a.txt", "sub/hard");
  tree_.symlink("..", "sub/up");
  tree_.symlink(tree_.path(), "sub/root");
  tree_.directory("sub/deeper");
  tree_.file("sub/deeper/c", 300);
  tree_.file("new\nline", 13);
  tree_.directory("bad\xff\xfe");
  tree_.file("bad\xff\xfe/\x80", 17);
  tree_.directory("empty");
  tree_.symlink("a.txt", "to-file");
  tree_.symlink("nowhere", "dangling");
  ASSERT_EQ(mkfifo(tree_.at("fifo").c_str(), 0644), 0);

  const std::uint64_t links = 2 + tree_.path().size() + 5 + 7;
  const std::uint64_t all = 100 + 7 + 11 + 5 * kGiB + 200 + 100 + 300 + 13 + 17 + links;
  const std::uint64_t top = 100 + 7 + 5 * kGiB + 13 + 5 + 7;
  ASSERT_EQ(FindSum(tree_.path()), all);
  for (unsigned threads : kThreadCounts) {
    SCOPED_TRACE(threads);
    WalkReport report;
    EXPECT_EQ(Size(tree_.path(), threads, true, &report), all);
    EXPECT_EQ(Size(tree_.path() + "/", threads), all);
    EXPECT_EQ(Size(tree_.path(), threads, false), top);
    EXPECT_EQ(report.unreadableDirectories + report.loops + report.pseudoFileSystems, 0u);
    EXPECT_FALSE(report.stopped);
  }
  // The folder a user names may itself be a link: that one is followed.
  TempTree other;
  other.symlink(tree_.at("sub"), "named");
  EXPECT_EQ(Size(other.at("named"), 0), 200 + 100 + 300 + 2 + tree_.path().size());
}

// Paths far beyond PATH_MAX, also with 64 descriptors at most, also with many threads.
TEST_F(WalkOnDisk, MeasuresATreeThreeThousandLevelsDeepWithFewDescriptors) {
  tree_.chain(".", 3000, 1);
  tree_.directory("wide");
  for (int d = 0; d < 40; ++d) {
    tree_.directory("wide/" + std::to_string(d));
    for (int f = 0; f < 40; ++f)
      tree_.file("wide/" + std::to_string(d) + "/" + std::to_string(f), f);
  }
  const std::uint64_t expected = 3000 + 40 * (39 * 40 / 2);
  ASSERT_EQ(FindSum(tree_.path()), expected);
  for (unsigned threads : {1u, 0u, 16u}) {
    SCOPED_TRACE(threads);
    EXPECT_EQ(Size(tree_.path(), threads), expected);
    auto limited = RunInChild(
        [] {
          rlimit limit{64, 64};
          return setrlimit(RLIMIT_NOFILE, &limit) == 0;
        },
        [&] { return Describe(tree_.path(), threads); });
    ASSERT_TRUE(limited);
    EXPECT_EQ(*limited, std::to_string(expected) + " 0 0 0");
  }
}

// A directory of many entries, whose size queries the walk splits among its threads.
TEST_F(WalkOnDisk, SplitsALargeDirectoryWithTheSameSum) {
  tree_.directory("big");
  for (int f = 0; f < 6000; ++f)
    tree_.file("big/file-with-a-longer-name-" + std::to_string(f), f % 977);
  const std::uint64_t expected = FindSum(tree_.path());
  for (unsigned threads : {1u, 2u, 4u, 16u}) {
    SCOPED_TRACE(threads);
    EXPECT_EQ(Size(tree_.path(), threads), expected);
  }
}

// Forbids io_uring as container sandboxes do: setting up a ring fails with EPERM.
bool ForbidIoUring() {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_io_uring_setup, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// The size queries may go through io_uring; where a sandbox forbids it, the plain calls give the
// same sum.
TEST_F(WalkOnDisk, GivesTheSameSumWhereIoUringIsForbidden) {
  tree_.directory("big");
  for (int f = 0; f < 1500; ++f) tree_.file("big/" + std::to_string(f), f * 3);
  tree_.file("top", 7);
  const std::uint64_t expected = FindSum(tree_.path());
  for (unsigned threads : kThreadCounts) {
    SCOPED_TRACE(threads);
    auto answer = RunInChild(ForbidIoUring, [&] { return Describe(tree_.path(), threads); });
    if (!answer) GTEST_SKIP() << "cannot install a seccomp filter";
    EXPECT_EQ(*answer, std::to_string(expected) + " 0 0 0");
  }
}

// As an unprivileged user: a directory that cannot be listed, and one that can be listed but
// whose entries cannot be looked at, count as empty and are reported.
TEST_F(WalkOnDisk, CountsUnreadableDirectoriesAsEmptyAndReportsThem) {
  tree_.file("kept", 10);
  tree_.directory("locked", 0700);
  tree_.file("locked/secret", 1000);
  tree_.directory("blind", 0744);
  tree_.file("blind/hidden", 2000);
  tree_.directory("open");
  tree_.file("open/seen", 5);
  const bool root = geteuid() == 0;
  for (unsigned threads : kThreadCounts) {
    SCOPED_TRACE(threads);
    auto answer = RunInChild(
        [root] {
          if (!root) return true;
          return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
        },
        [&] { return Describe(tree_.path(), threads); });
    if (!answer) GTEST_SKIP() << "cannot become an unprivileged user";
    EXPECT_EQ(*answer, "15 2 0 0\n" + tree_.at("blind") + "\n" + tree_.at("locked"));
  }
}

// Directories created and deleted while the walk runs: what vanished before it was opened is
// not there to measure, not a directory that could not be read.
TEST_F(WalkOnDisk, DirectoriesDeletedDuringTheWalkAreNotReportedAsUnreadable) {
  constexpr int kStable = 40;
  for (int d = 0; d < kStable; ++d) {
    tree_.directory("stable" + std::to_string(d));
    tree_.file("stable" + std::to_string(d) + "/f", 100 + d);
  }
  const std::uint64_t expected = kStable * 100 + kStable * (kStable - 1) / 2;
  std::jthread churn([&](std::stop_token stop) {
    // Empty files only, so that the sum is the same whichever of them the walk sees.
    for (unsigned round = 0; !stop.stop_requested(); ++round) {
      const std::string name = tree_.at("churn" + std::to_string(round % 50));
      mkdir(name.c_str(), 0755);
      close(open((name + "/empty").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
      unlink((name + "/empty").c_str());
      rmdir(name.c_str());
    }
  });
  for (int walk = 0; walk < 200; ++walk) {
    for (unsigned threads : kThreadCounts) {
      WalkReport report;
      ASSERT_EQ(Size(tree_.path(), threads, true, &report), expected) << "walk " << walk;
      ASSERT_EQ(report.unreadableDirectories, 0u) << "walk " << walk << ", threads " << threads;
    }
  }
}

// A bind mount that puts a directory inside itself: the walk does not enter it again.
TEST_F(WalkOnDisk, DoesNotEnterADirectoryThatContainsItself) {
  tree_.directory("a");
  tree_.directory("a/inside");
  tree_.directory("a/inside/loop");
  tree_.file("a/f", 10);
  if (mount(tree_.at("a").c_str(), tree_.at("a/inside/loop").c_str(), nullptr, MS_BIND, nullptr) !=
      0)
    GTEST_SKIP() << "bind mounts need privileges";
  struct Unmount {
    std::string path;
    ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
  } unmount{tree_.at("a/inside/loop")};
  for (unsigned threads : kThreadCounts) {
    SCOPED_TRACE(threads);
    WalkReport report;
    report.keepPaths = true;
    EXPECT_EQ(Size(tree_.at("a"), threads, true, &report), 10u);
    EXPECT_EQ(report.loops, 1u);
    EXPECT_EQ(report.notEnteredPaths, std::vector<std::string>{tree_.at("a/inside/loop")});
  }
}

TEST_F(WalkOnDisk, DoesNotEnterPseudoFileSystems) {
  for (const char* path : {"/proc", "/sys"}) {
    SCOPED_TRACE(path);
    if (!platform_->directoryExists(path)) continue;
    WalkReport report;
    report.keepPaths = true;
    EXPECT_EQ(Size(path, 0, true, &report), 0u);
    EXPECT_EQ(report.pseudoFileSystems, 1u);
    EXPECT_EQ(report.notEnteredPaths, std::vector<std::string>{path});
  }
}

// A large real tree; packages may be installed meanwhile, so a run counts only when find gave
// the same sum before and after it.
TEST_F(WalkOnDisk, AgreesWithFindOnUsrShare) {
  for (unsigned threads : {1u, 0u}) {
    SCOPED_TRACE(threads);
    bool compared = false;
    for (int attempt = 0; attempt < 3 && !compared; ++attempt) {
      std::uint64_t before = FindSum("/usr/share");
      std::uint64_t walked = Size("/usr/share", threads);
      if (FindSum("/usr/share") != before) continue;
      EXPECT_EQ(walked, before);
      compared = true;
    }
    EXPECT_TRUE(compared) << "/usr/share kept changing";
  }
}

// What find says of the entries that are not directories below `paths`, each name counted, and
// each file (device and inode) counted once over all the paths; and the directories below each.
struct FindMeasure {
  FolderMeasure everyName, linksOnce;
};
FindMeasure FindMeasures(const std::vector<std::string>& paths) {
  std::string command = "find";
  for (const std::string& path : paths) command += " '" + path + "'";
  command += " -mindepth 1 -printf '%y %D %i %s %b\\n' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("popen failed");
  FindMeasure result;
  std::set<std::pair<unsigned long long, unsigned long long>> seen;
  char type = 0;
  unsigned long long device = 0, inode = 0, size = 0, blocks = 0;
  while (std::fscanf(pipe, " %c %llu %llu %llu %llu", &type, &device, &inode, &size, &blocks) ==
         5) {
    if (type == 'd') {
      ++result.everyName.directories;
      ++result.linksOnce.directories;
      continue;
    }
    const FolderMeasure one{size, blocks * 512, 1, 0};
    result.everyName += one;
    if (seen.insert({device, inode}).second) result.linksOnce += one;
  }
  pclose(pipe);
  return result;
}

// Sparse files, written files, hard links inside one folder and across two, a file of four
// names, and a folder large enough that its sizes are asked in batches through the ring.
class MeasureOnDisk : public WalkOnDisk {
 protected:
  MeasureOnDisk() {
    tree_.directory("one");
    tree_.directory("two");
    tree_.directory("one/deep");
    tree_.file("one/sparse", 5 * kGiB);
    Write("one/data", 40000);
    tree_.hardLink("one/data", "one/data-again");      // inside one folder
    tree_.hardLink("one/data", "two/data-elsewhere");  // across two
    tree_.hardLink("one/data", "one/deep/data-deep");
    Write("two/own", 5000);
    tree_.symlink("data", "one/link");
    tree_.directory("one/many");
    for (int f = 0; f < 150; ++f) {
      const std::string name = "one/many/" + std::to_string(f);
      if (f % 3 == 0)
        tree_.hardLink("two/own", name);
      else
        Write(name, static_cast<std::size_t>(f) * 100);
    }
  }
  void Write(const std::string& relative, std::size_t length) {
    FILE* file = std::fopen(tree_.at(relative).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string bytes(length, 'x');
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  // The walks of `paths` in turn, sharing one register when `linksOnce` is set.
  FolderMeasure Measure(const std::vector<std::string>& paths, unsigned threads, bool linksOnce) {
    LinkRegister links;
    FolderMeasure measure;
    WalkOptions options;
    options.threads = threads;
    options.measure = &measure;
    options.links = linksOnce ? &links : nullptr;
    for (const std::string& path : paths) GetFolderSize(*platform_, path, true, options);
    return measure;
  }
  static std::string Text(const FolderMeasure& m) {
    return std::to_string(m.bytes) + " bytes, " + std::to_string(m.allocated) + " allocated, " +
           std::to_string(m.files) + " files, " + std::to_string(m.directories) + " directories";
  }
};

TEST_F(MeasureOnDisk, AgreesWithFindOnEveryMeasure) {
  const std::vector<std::vector<std::string>> cases = {
      {tree_.path()}, {tree_.at("one")}, {tree_.at("one"), tree_.at("two")}};
  for (const auto& paths : cases) {
    const FindMeasure expected = FindMeasures(paths);
    // The sparse file takes less than its length, and some file has several names here.
    ASSERT_LT(expected.everyName.allocated, expected.everyName.bytes);
    ASSERT_LT(expected.linksOnce.files, expected.everyName.files);
    for (unsigned threads : kThreadCounts) {
      SCOPED_TRACE(paths.front() + " and " + std::to_string(paths.size() - 1) + " more, " +
                   std::to_string(threads) + " threads");
      EXPECT_EQ(Text(Measure(paths, threads, false)), Text(expected.everyName));
      EXPECT_EQ(Text(Measure(paths, threads, true)), Text(expected.linksOnce));
    }
  }
}

// A survey of folders inside one another gives each row what a walk of it alone gives, space and
// counts included; with links counted once, what the walks in turn give with one register.
TEST_F(MeasureOnDisk, ASurveyOfNestedFoldersMeasuresEachRowAsItsWalk) {
  const std::vector<std::string> paths = {tree_.path(), tree_.at("one"), tree_.at("one/deep"),
                                          tree_.at("two"), tree_.at("one")};
  for (unsigned threads : kThreadCounts) {
    for (bool linksOnce : {false, true}) {
      SCOPED_TRACE(std::to_string(threads) + " threads" + (linksOnce ? ", links once" : ""));
      LinkRegister surveyLinks, walkLinks;
      FolderSizes sizes(*platform_);
      for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        FolderMeasure surveyed, walked;
        WalkOptions options;
        options.threads = threads;
        options.measure = &surveyed;
        options.links = linksOnce ? &surveyLinks : nullptr;
        const std::uint64_t bytes = sizes.measure(path, options);
        options.measure = &walked;
        options.links = linksOnce ? &walkLinks : nullptr;
        GetFolderSize(*platform_, path, true, options);
        EXPECT_EQ(bytes, walked.bytes);
        EXPECT_EQ(Text(surveyed), Text(walked));
      }
    }
  }
}

// Without io_uring every size comes from the plain calls, which must carry the same blocks and
// identities.
TEST_F(MeasureOnDisk, GivesTheSameMeasuresWhereIoUringIsForbidden) {
  const std::vector<std::string> paths = {tree_.at("one"), tree_.at("two")};
  const FindMeasure expected = FindMeasures(paths);
  auto answer = RunInChild(ForbidIoUring, [&] {
    return Text(Measure(paths, 0, false)) + "\n" + Text(Measure(paths, 0, true));
  });
  if (!answer) GTEST_SKIP() << "cannot install a seccomp filter";
  EXPECT_EQ(*answer, Text(expected.everyName) + "\n" + Text(expected.linksOnce));
}

}  // namespace
}  // namespace tarnwick
