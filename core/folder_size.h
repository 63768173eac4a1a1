// Measurement of a directory tree: the sum of the logical lengths of every entry that is not a
// directory, each hard link counted once per entry, links never followed.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tarnwick {

// Counters a front end samples on a timer while a walk runs; the walk only adds to them.
struct WalkProgress {
  std::atomic<std::uint64_t> entries{0};      // entries other than directories measured so far
  std::atomic<std::uint64_t> directories{0};  // directories listed so far
};

// What a walk could not count, so that a total never hides what it dropped.
struct WalkReport {
  std::uint64_t unreadableDirectories = 0;  // could not be opened or read to the end
  std::uint64_t pseudoFileSystems = 0;      // proc, sysfs and their kin, not entered
  std::uint64_t loops = 0;                  // directories that contain themselves, not entered
  // Kept only when `keepPaths` is set, sorted: the unreadable directories, and those not entered
  // (pseudo file systems and loops).
  std::vector<std::string> unreadablePaths;
  std::vector<std::string> notEnteredPaths;
  bool keepPaths = false;
  bool stopped = false;  // the stop request ended the walk early; the sum is partial
  void merge(const WalkReport& other);
};

// What a walk measured besides the logical sum that GetFolderSize returns.
struct FolderMeasure {
  std::uint64_t bytes = 0;        // logical lengths of the entries that are not directories
  std::uint64_t allocated = 0;    // the space the same entries take on disk
  std::uint64_t files = 0;        // entries that are not directories
  std::uint64_t directories = 0;  // directories beneath the folder, the folder itself not counted
  FolderMeasure& operator+=(const FolderMeasure& other);
  friend bool operator==(const FolderMeasure&, const FolderMeasure&) = default;
};

class LinkRegister;

struct WalkOptions {
  unsigned threads = 0;  // 0: the default, eight whatever the cores (see tree_walk.cpp)
  WalkProgress* progress = nullptr;
  const std::atomic<bool>* stop = nullptr;
  WalkReport* report = nullptr;      // the walk adds to it
  FolderMeasure* measure = nullptr;  // the walk adds to it
  // When set, a file of several names counts once, in the first walk that meets it of all those
  // given the same register; its other names count as nothing, not even as files.
  LinkRegister* links = nullptr;
};

// `path` may end in one delimiter; with `includeSubfolders` clear only the files directly inside
// count. Directories that cannot be read count as empty. When `stop` is set during the walk, the
// walk ends promptly and returns the sum of what it measured so far.
std::uint64_t GetFolderSize(platform::Platform& platform, const std::string& path,
                            bool includeSubfolders, const WalkOptions& options = {});

class DirectoryGraph;

// The folders of one survey run, measured with their subfolders: each folder's size is what
// GetFolderSize gives for it, but a directory met again (as another folder, or inside another
// folder's tree, however the path is spelled) is not listed again; its sum is used whole.
class FolderSizes {
 public:
  explicit FolderSizes(platform::Platform& platform);
  ~FolderSizes();
  FolderSizes(const FolderSizes&) = delete;
  FolderSizes& operator=(const FolderSizes&) = delete;

  // A folder that cannot be read is reported once however often it is met; so is a directory
  // that contains itself, where the walk that lists its parent finds it.
  std::uint64_t measure(const std::string& path, const WalkOptions& options = {});
  // Distinct directories listed so far.
  std::size_t listed() const;

 private:
  platform::Platform& platform_;
  std::unique_ptr<DirectoryGraph> graph_;
};

}  // namespace tarnwick
