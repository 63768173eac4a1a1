#include "core/folder_size.h"

#include "core/system_folders.h"
#include "core/tree_walk.h"

namespace tarnwick {

void WalkReport::merge(const WalkReport& other) {
  unreadableDirectories += other.unreadableDirectories;
  pseudoFileSystems += other.pseudoFileSystems;
  loops += other.loops;
  unreadablePaths.insert(unreadablePaths.end(), other.unreadablePaths.begin(),
                         other.unreadablePaths.end());
  notEnteredPaths.insert(notEnteredPaths.end(), other.notEnteredPaths.begin(),
                         other.notEnteredPaths.end());
  stopped = stopped || other.stopped;
}

FolderMeasure& FolderMeasure::operator+=(const FolderMeasure& other) {
  bytes += other.bytes;
  allocated += other.allocated;
  files += other.files;
  directories += other.directories;
  return *this;
}

std::uint64_t GetFolderSize(platform::Platform& platform, const std::string& path,
                            bool includeSubfolders, const WalkOptions& options) {
  std::string root = RemoveTrailingDelimiter(platform, path);
  // The POSIX root keeps its delimiter; the paths below it must not repeat it.
  const char delimiter = platform.pathStyle().delimiter;
  std::string prefix = root.size() == 1 && root[0] == delimiter ? std::string() : root;
  WalkReport ignored;
  WalkReport& report = options.report ? *options.report : ignored;
  const FolderMeasure measured =
      TreeWalk(platform, includeSubfolders, options).run(root, prefix, report);
  if (options.measure) *options.measure += measured;
  return measured.bytes;
}

}  // namespace tarnwick
