// The window logic's thread services over a Win32 window: tasks posted from any thread run on the
// window's thread in order, woken by a posted message; a timer of the window ticks there.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "ui/window_thread.h"

namespace tarnwick::ui::win32 {

class Win32WindowThread : public WindowThread {
 public:
  // `wakeMessage` is posted to `window` whenever a task waits; the window answers it with
  // `runPending`.
  Win32WindowThread(HWND window, UINT wakeMessage) : window_(window), wakeMessage_(wakeMessage) {}
  void post(std::function<void()> task) override;
  // Runs what was posted, in order; on the window's thread.
  void runPending();

 private:
  HWND window_;
  UINT wakeMessage_;
  std::mutex mutex_;
  std::deque<std::function<void()>> pending_;  // dropped unrun if the window goes first
};

class Win32RepeatingTimer : public RepeatingTimer {
 public:
  Win32RepeatingTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
  ~Win32RepeatingTimer() override { stop(); }
  void start(int intervalMs, std::function<void()> tick) override;
  void stop() override;
  // The window's WM_TIMER for this timer's id.
  void tick();
  UINT_PTR id() const { return id_; }

 private:
  HWND window_;
  UINT_PTR id_;
  std::function<void()> tick_;
};

}  // namespace tarnwick::ui::win32
