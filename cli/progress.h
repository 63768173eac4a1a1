// A progress line on standard error while a walk runs: the folder in hand and the entries counted,
// sampled a few times a second from the walk's counters.
#pragma once

#include <condition_variable>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

#include "core/folder_size.h"

namespace tarnwick::cli {

class ProgressLine {
 public:
  // Does nothing at all unless `enabled` (standard error is a terminal).
  ProgressLine(std::ostream& err, bool enabled);
  ~ProgressLine();  // stops the sampling and clears the line
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // The counters to sample; null when progress is off.
  WalkProgress* progress() { return enabled_ ? &progress_ : nullptr; }
  // The folder being measured now.
  void setLabel(const std::string& label);

 private:
  void run();
  std::ostream& err_;
  bool enabled_;
  WalkProgress progress_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::string label_;
  bool finished_ = false;
  std::thread sampler_;
};

}  // namespace tarnwick::cli
