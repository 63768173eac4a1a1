#include "core/folder_size.h"

#include "core/directory_graph.h"
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

namespace {

struct WalkRoot {
  std::string openPath;
  std::string prefix;  // what the paths below it start with
};

WalkRoot RootOf(platform::Platform& platform, const std::string& path) {
  std::string root = RemoveTrailingDelimiter(platform, path);
  // The POSIX root keeps its delimiter; the paths below it must not repeat it.
  const char delimiter = platform.pathStyle().delimiter;
  std::string prefix = root.size() == 1 && root[0] == delimiter ? std::string() : root;
  return {std::move(root), std::move(prefix)};
}

}  // namespace

std::uint64_t GetFolderSize(platform::Platform& platform, const std::string& path,
                            bool includeSubfolders, const WalkOptions& options) {
  const WalkRoot root = RootOf(platform, path);
  WalkReport ignored;
  WalkReport& report = options.report ? *options.report : ignored;
  const FolderMeasure measured =
      TreeWalk(platform, includeSubfolders, options).run(root.openPath, root.prefix, report);
  if (options.measure) *options.measure += measured;
  return measured.bytes;
}

FolderSizes::FolderSizes(platform::Platform& platform)
    : platform_(platform), graph_(std::make_unique<DirectoryGraph>()) {}

FolderSizes::~FolderSizes() = default;

std::uint64_t FolderSizes::measure(const std::string& path, const WalkOptions& options) {
  // A file of several names counts where it is first seen, which may be another folder's tree:
  // a sum kept from there would hold names this folder must not count. Each folder is walked.
  if (options.links) return GetFolderSize(platform_, path, true, options);
  const WalkRoot root = RootOf(platform_, path);
  WalkReport ignored;
  WalkReport& report = options.report ? *options.report : ignored;
  TreeWalk walk(platform_, true, options, graph_.get());
  walk.run(root.openPath, root.prefix, report);
  if (walk.stopped()) {
    // Directories cut short would pass for listed: the next folder starts afresh.
    graph_ = std::make_unique<DirectoryGraph>();
    return 0;
  }
  if (!walk.root()) return 0;
  const FolderMeasure measured = graph_->sum(*walk.root(), options.stop);
  if (options.measure) *options.measure += measured;
  return measured.bytes;
}

std::size_t FolderSizes::listed() const { return graph_->listed(); }

}  // namespace tarnwick
