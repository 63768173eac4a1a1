// Linux: many size queries of one directory handed to the kernel in one call through io_uring,
// where the kernel offers it (it may be too old, or a sandbox may forbid it).
#pragma once

#include <cstdint>
#include <span>

#include "platform/platform.h"

namespace tarnwick::platform {

// One answer: 0 and the entry's kind, sizes and identity, or the negative errno of the query.
struct StatxAnswer {
  int error = 0;
  bool directory = false;
  std::uint32_t links = 0;
  std::uint64_t size = 0;
  std::uint64_t allocated = 0;
  FileIdentity file;
};

// Queries the entries (at most kStatxBatch) relative to `directory` without following links,
// through this thread's ring. False when io_uring cannot be used here; `answers` is then untouched.
inline constexpr std::size_t kStatxBatch = 256;
bool StatxThroughRing(int directory, std::span<DirectoryEntry* const> entries,
                      std::span<StatxAnswer> answers);

}  // namespace tarnwick::platform
