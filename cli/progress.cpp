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

namespace {

// A long path would wrap the line and defeat the carriage return, so only its end is shown.
// Control characters in a name (a newline, an escape) are shown as "?" for the same reason.
std::string ShortLabel(std::string label) {
  for (char& c : label)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  constexpr std::size_t most = 60;
  if (label.size() <= most) return label;
  std::size_t start = label.size() - most;
  while (start < label.size() && (static_cast<unsigned char>(label[start]) & 0xC0) == 0x80) ++start;
  return "..." + label.substr(start);
}

}  // namespace

void ProgressLine::setLabel(const std::string& label) {
  std::lock_guard lock(mutex_);
  label_ = ShortLabel(label);
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
