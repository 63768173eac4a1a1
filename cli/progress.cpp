#include "cli/progress.h"

#include <chrono>

namespace tarnwick::cli {

ProgressLine::ProgressLine(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {
  if (enabled_) sampler_ = std::thread([this] { run(); });
}

ProgressLine::~ProgressLine() {
  if (!enabled_) return;
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  wake_.notify_all();
  sampler_.join();
  err_ << "\r\033[K" << std::flush;
}

void ProgressLine::setLabel(const std::string& label) {
  std::lock_guard lock(mutex_);
  label_ = label;
  progress_.entries.store(0, std::memory_order_relaxed);
}

void ProgressLine::run() {
  std::unique_lock lock(mutex_);
  while (!wake_.wait_for(lock, std::chrono::milliseconds(250), [this] { return finished_; })) {
    // "\033[K" clears what a longer earlier line left behind.
    err_ << "\r\033[K" << label_ << ": " << progress_.entries.load(std::memory_order_relaxed)
         << " entries" << std::flush;
  }
}

}  // namespace tarnwick::cli
