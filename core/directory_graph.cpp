#include "core/directory_graph.h"

namespace tarnwick {

namespace {

// Steps of a sum between two looks at the stop request.
constexpr std::uint64_t kStopCheck = 4096;

}  // namespace

void DirectoryGraph::Node::add(const FolderMeasure& measure) {
  bytes.fetch_add(measure.bytes, std::memory_order_relaxed);
  allocated.fetch_add(measure.allocated, std::memory_order_relaxed);
  files.fetch_add(measure.files, std::memory_order_relaxed);
  directories.fetch_add(measure.directories, std::memory_order_relaxed);
}

FolderMeasure DirectoryGraph::Node::own() const {
  return {bytes.load(std::memory_order_relaxed), allocated.load(std::memory_order_relaxed),
          files.load(std::memory_order_relaxed), directories.load(std::memory_order_relaxed)};
}

DirectoryGraph::Claim DirectoryGraph::claim(const platform::DirectoryIdentity& identity) {
  std::lock_guard lock(mutex_);
  auto [found, inserted] = byIdentity_.try_emplace(identity, nullptr);
  if (inserted) found->second = &nodes_.emplace_back();
  return {found->second, inserted};
}

void DirectoryGraph::addEdges(std::span<const Edge> edges) {
  std::lock_guard lock(mutex_);
  for (const Edge& edge : edges) edge.parent->children.push_back(edge.child);
}

bool DirectoryGraph::firstReport(const std::string& path) {
  std::lock_guard lock(mutex_);
  return reported_.insert(path).second;
}

std::size_t DirectoryGraph::listed() const {
  std::lock_guard lock(mutex_);
  return nodes_.size();
}

// A depth-first sum over the directories as a walk from `root` would meet them, on a stack of
// its own since trees run thousands of levels deep. A tree that leads nowhere back up is summed
// once and kept; only a tree with a loop below it (a bind mount of an ancestor) depends on the
// way the walk came, and is summed again each time.
FolderMeasure DirectoryGraph::sum(Node& root, const std::atomic<bool>* stop) {
  if (root.closed) return root.total;
  struct Frame {
    Node* node;
    std::size_t next = 0;
    FolderMeasure sum;
    bool closed = true;
  };
  std::vector<Frame> path;
  root.onPath = true;
  path.push_back({&root, 0, root.own()});
  std::uint64_t steps = 0;
  for (;;) {
    Frame& frame = path.back();
    if (frame.next < frame.node->children.size()) {
      Node* child = frame.node->children[frame.next++];
      if (++steps % kStopCheck == 0 && stop && stop->load(std::memory_order_relaxed)) break;
      if (child->onPath) {
        frame.closed = false;  // the walk does not enter a directory inside itself
      } else if (child->closed) {
        frame.sum += child->total;
      } else {
        child->onPath = true;
        path.push_back({child, 0, child->own()});
      }
      continue;
    }
    const Frame done = frame;
    path.pop_back();
    done.node->onPath = false;
    if (done.closed) {
      done.node->closed = true;
      done.node->total = done.sum;
    }
    if (path.empty()) return done.sum;
    path.back().sum += done.sum;
    path.back().closed = path.back().closed && done.closed;
  }
  // Stopped: the sum is partial, and the nodes on the way are left as they were.
  FolderMeasure partial;
  for (const Frame& frame : path) {
    frame.node->onPath = false;
    partial += frame.sum;
  }
  return partial;
}

}  // namespace tarnwick
