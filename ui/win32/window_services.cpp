#include "ui/win32/window_services.h"

namespace tarnwick::ui::win32 {

void Win32WindowThread::post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    pending_.push_back(std::move(task));
  }
  // A lost wake-up only delays the task to the next one; each wake-up runs everything waiting.
  PostMessageA(window_, wakeMessage_, 0, 0);
}

void Win32WindowThread::runPending() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard lock(mutex_);
      if (pending_.empty()) return;
      task = std::move(pending_.front());
      pending_.pop_front();
    }
    task();
  }
}

void Win32RepeatingTimer::start(int intervalMs, std::function<void()> tick) {
  tick_ = std::move(tick);
  SetTimer(window_, id_, static_cast<UINT>(intervalMs), nullptr);
}

void Win32RepeatingTimer::stop() {
  // A timer that was not running, or a window already gone, has nothing to stop.
  if (IsWindow(window_)) KillTimer(window_, id_);
  tick_ = nullptr;
}

void Win32RepeatingTimer::tick() {
  if (tick_) tick_();
}

}  // namespace tarnwick::ui::win32
