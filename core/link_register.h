// The files a command has counted, so that a file of several names (hard links) counts once
// however many of its names the command's walks meet.
#pragma once

#include <array>
#include <cstddef>
#include <mutex>
#include <unordered_set>

#include "platform/platform.h"

namespace tarnwick {

class LinkRegister {
 public:
  // True the first time `file` is offered; the walk's threads may offer at once.
  bool firstSight(const platform::FileIdentity& file);

 private:
  struct Hash {
    std::size_t operator()(const platform::FileIdentity& file) const {
      return std::hash<std::uint64_t>()(file.inode * 0x9E3779B97F4A7C15ull ^ file.device);
    }
  };
  // Threads that meet many linked files (a store of hard-linked packages) rarely wait on each
  // other when the files are spread over several locks.
  struct Shard {
    std::mutex mutex;
    std::unordered_set<platform::FileIdentity, Hash> seen;
  };
  std::array<Shard, 16> shards_;
};

}  // namespace tarnwick
