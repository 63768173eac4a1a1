// The directories one survey run has listed, each once by its identity, with what its listing
// held: the measure of its own entries and the directories inside it. A folder met again, as
// another row's folder or inside another row's tree, is summed from here instead of being listed
// again.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/folder_size.h"
#include "platform/platform.h"

namespace tarnwick {

class DirectoryGraph {
 public:
  struct Node {
    // What its own listing held: its files, and one directory for each subdirectory entry. A
    // listing is counted in batches by several workers, hence the atomics.
    std::atomic<std::uint64_t> bytes{0};
    std::atomic<std::uint64_t> allocated{0};
    std::atomic<std::uint64_t> files{0};
    std::atomic<std::uint64_t> directories{0};
    // One per subdirectory entry that opened, in no order; the same node twice when two entries
    // lead to one directory (bind mounts), as a walk would enter it twice.
    std::vector<Node*> children;
    // Set once no directory below leads back up into the walk's own path: then the sum of the
    // tree is `total` wherever the walk comes from.
    bool closed = false;
    bool onPath = false;  // while a sum passes through it
    FolderMeasure total;

    void add(const FolderMeasure& measure);
    FolderMeasure own() const;
  };
  struct Edge {
    Node* parent;
    Node* child;
  };
  struct Claim {
    Node* node;
    bool fresh;  // the caller is the first to meet the directory, and lists it
  };

  Claim claim(const platform::DirectoryIdentity& identity);
  // Appends the edges a walk met; every edge of a node comes from the walk that listed it.
  void addEdges(std::span<const Edge> edges);
  // True for the first report of a path this run: a folder that cannot be read is counted once,
  // whether it is met as a row's folder or inside another row's tree.
  bool firstReport(const std::string& path);

  // The sum a walk from `root` gives: every file below it, a directory that is its own ancestor
  // on the way not entered again. Returns early, with a partial sum, once `stop` is set.
  FolderMeasure sum(Node& root, const std::atomic<bool>* stop);

  std::size_t listed() const;

 private:
  struct IdentityHash {
    std::size_t operator()(const platform::DirectoryIdentity& identity) const {
      return std::hash<std::uint64_t>()(identity.inode * 0x9E3779B97F4A7C15ull ^ identity.device);
    }
  };

  mutable std::mutex mutex_;
  std::deque<Node> nodes_;  // a deque: claimed nodes never move
  std::unordered_map<platform::DirectoryIdentity, Node*, IdentityHash> byIdentity_;
  std::set<std::string> reported_;
};

}  // namespace tarnwick
