#include "platform/posix/statx_ring.h"

#if TARNWICK_IO_URING

#include <fcntl.h>
#include <liburing.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <memory>
#include <mutex>
#include <vector>

namespace tarnwick::platform {

namespace {

// Set once a ring could not be made: every later thread goes straight to the plain calls.
std::atomic<bool> ringUnavailable{false};

class Ring {
 public:
  Ring() : owner_(getpid()) { ready_ = io_uring_queue_init(kStatxBatch, &ring_, 0) == 0; }
  ~Ring() {
    if (ready_) io_uring_queue_exit(&ring_);
  }
  Ring(const Ring&) = delete;
  Ring& operator=(const Ring&) = delete;
  bool ready() const { return ready_; }
  // A forked child inherits the ring's memory, which the parent goes on using.
  bool inherited() const { return owner_ != getpid(); }

  bool query(int directory, std::span<DirectoryEntry* const> entries,
             std::span<StatxAnswer> answers) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      io_uring_sqe* sqe = io_uring_get_sqe(&ring_);
      if (!sqe) return false;
      io_uring_prep_statx(sqe, directory, entries[i]->name.c_str(),
                          AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_STATX_SYNC_AS_STAT,
                          STATX_TYPE | STATX_SIZE | STATX_BLOCKS | STATX_NLINK | STATX_INO,
                          &results_[i]);
      io_uring_sqe_set_data64(sqe, i);
    }
    int submitted;
    while ((submitted = io_uring_submit_and_wait(&ring_, static_cast<unsigned>(entries.size()))) ==
           -EINTR) {
    }
    if (submitted != static_cast<int>(entries.size())) return false;
    for (std::size_t pending = entries.size(); pending > 0; --pending) {
      io_uring_cqe* cqe = nullptr;
      int waited;
      while ((waited = io_uring_wait_cqe(&ring_, &cqe)) == -EINTR) {
      }
      if (waited < 0) return false;
      const std::uint64_t i = io_uring_cqe_get_data64(cqe);
      const struct statx& result = results_[i];
      answers[i].error = cqe->res;
      answers[i].directory = S_ISDIR(result.stx_mode);
      answers[i].size = result.stx_size;
      // Blocks are of 512 bytes whatever the file system's own block size.
      answers[i].allocated = result.stx_blocks * 512;
      answers[i].links = result.stx_nlink;
      answers[i].file = {makedev(result.stx_dev_major, result.stx_dev_minor), result.stx_ino};
      io_uring_cqe_seen(&ring_, cqe);
    }
    return true;
  }

 private:
  io_uring ring_{};
  pid_t owner_;
  bool ready_ = false;
  std::array<struct statx, kStatxBatch> results_{};
};

// Abandoned rings stay reachable here, so that a leak checker sees them as held on purpose.
std::mutex abandonedMutex;
std::vector<Ring*> abandonedRings;

}  // namespace

bool StatxThroughRing(int directory, std::span<DirectoryEntry* const> entries,
                      std::span<StatxAnswer> answers) {
  if (ringUnavailable.load(std::memory_order_relaxed) || entries.size() > kStatxBatch) return false;
  thread_local std::unique_ptr<Ring> ring;
  if (!ring || ring->inherited()) {
    ring = std::make_unique<Ring>();
    if (!ring->ready()) {
      ringUnavailable = true;
      return false;
    }
  }
  if (ring->query(directory, entries, answers)) return true;
  // A ring that failed half-way may still have queries in flight that write into it: it is
  // abandoned, never freed, and every thread goes the plain way from now on.
  {
    std::lock_guard lock(abandonedMutex);
    abandonedRings.push_back(ring.release());
  }
  ringUnavailable = true;
  return false;
}

}  // namespace tarnwick::platform

#else

namespace tarnwick::platform {

bool StatxThroughRing(int, std::span<DirectoryEntry* const>, std::span<StatxAnswer>) {
  return false;
}

}  // namespace tarnwick::platform

#endif
