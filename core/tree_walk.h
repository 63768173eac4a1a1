// The walk behind GetFolderSize: workers take directories from a shared queue, and a directory of
// many entries hands batches of its size queries to idle workers.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/directory_graph.h"
#include "core/folder_size.h"
#include "platform/platform.h"

namespace tarnwick {

class TreeWalk {
 public:
  // With a `graph`, the walk lists only the directories the graph does not hold yet and records
  // what it lists there, sums included; `run` then gives 0 and `root` the node to sum.
  TreeWalk(platform::Platform& platform, bool includeSubfolders, const WalkOptions& options,
           DirectoryGraph* graph = nullptr);
  TreeWalk(const TreeWalk&) = delete;
  TreeWalk& operator=(const TreeWalk&) = delete;

  // Measures the tree at `openPath`; `prefix` is what the paths of its entries start with
  // ("" for the POSIX root "/", else `openPath` itself). Adds to `report`.
  FolderMeasure run(const std::string& openPath, const std::string& prefix, WalkReport& report);
  // The root's node in the graph; null when the root could not be entered.
  DirectoryGraph::Node* root() const { return root_; }
  bool stopped() const { return stopped_.load(); }

 private:
  struct DirectoryNode;
  struct Listing;
  struct PendingDirectory {
    std::shared_ptr<DirectoryNode> parent;  // null for the root
    std::string name;
  };
  struct SizeBatch {
    std::shared_ptr<Listing> listing;
    std::vector<platform::DirectoryEntry> entries;
  };
  // What one worker gathers; merged once at the end so that workers share no counter.
  struct alignas(64) Worker {
    FolderMeasure measure;
    WalkReport report;
    std::vector<PendingDirectory> found;         // subdirectories of the batch in hand
    std::vector<std::shared_ptr<Listing>> kept;  // open ancestors of the directory in hand
    std::uint64_t queued = 0;                    // subdirectories this worker queued
    std::vector<DirectoryGraph::Edge> edges;     // for the graph, added once the walk ends
  };

  void work(Worker& worker);
  void list(PendingDirectory directory, Worker& worker);
  void measure(const std::shared_ptr<Listing>& listing,
               std::vector<platform::DirectoryEntry>& batch, Worker& worker);
  void fill(Listing& listing, std::span<platform::DirectoryEntry> entries, Worker& worker);
  void count(const Listing& listing, std::span<platform::DirectoryEntry> entries, Worker& worker);
  bool offerBatch(const std::shared_ptr<Listing>& listing,
                  std::vector<platform::DirectoryEntry>& entries);
  void queueFound(Worker& worker);
  void markUnreadable(Listing& listing, Worker& worker);
  enum class NotEntered { Unreadable, PseudoFileSystem, Loop };
  void reportNotEntered(const PendingDirectory& directory, NotEntered why, Worker& worker);
  bool containsItself(const PendingDirectory& directory,
                      const platform::DirectoryIdentity& identity) const;
  bool stopRequested();
  platform::OpenResult open(const PendingDirectory& directory, Worker& worker);
  std::string pathOf(const DirectoryNode* parent, const std::string& name) const;
  std::string pathOf(const PendingDirectory& directory) const;

  platform::Platform& platform_;
  const bool includeSubfolders_;
  const WalkOptions options_;
  const char delimiter_;
  const unsigned threads_;
  DirectoryGraph* const graph_;
  DirectoryGraph::Node* root_ = nullptr;
  std::string rootOpenPath_;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<PendingDirectory> directories_;  // taken last in, first out: depth first
  std::deque<SizeBatch> sizeBatches_;  // taken before directories: each holds a listing open
  unsigned busy_ = 0;                  // workers holding a task
  std::atomic<unsigned> idle_{0};      // workers waiting for a task
  std::atomic<bool> stopped_{false};   // work was dropped on a stop request or a failure
  std::exception_ptr failure_;         // the first failure raised in a worker
};

}  // namespace tarnwick
