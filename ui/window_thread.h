// What the window logic asks of a window's thread: to run a task there, in order, from any
// thread, and a timer there that ticks until stopped. Each window shell implements both over its
// own event loop; tests implement them over a plain queue.
#pragma once

#include <functional>

namespace tarnwick::ui {

class WindowThread {
 public:
  virtual ~WindowThread() = default;
  // Runs `task` on the window's thread after every task posted before it. Safe from any thread.
  virtual void post(std::function<void()> task) = 0;
};

class RepeatingTimer {
 public:
  virtual ~RepeatingTimer() = default;
  // Calls `tick` on the window's thread every `intervalMs` until stopped; starting again replaces
  // the interval and the callback.
  virtual void start(int intervalMs, std::function<void()> tick) = 0;
  virtual void stop() = 0;
};

}  // namespace tarnwick::ui
