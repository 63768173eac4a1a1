// The main window on a thread of its own, running the program's message loop, so that a test
// drives it from outside by messages as a user's input would, and waits for what it does.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/platform.h"
#include "ui/win32/main_window.h"

namespace tarnwick::ui::win32::testing {

// Polls `condition` until it holds or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

class WindowThread {
 public:
  explicit WindowThread(platform::Platform& platform,
                        platform::ShowCommand show = platform::ShowCommand::Normal);
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;
  // Closes the window if it is still open and waits for its thread.
  ~WindowThread();

  MainWindow& window() { return *window_; }
  HWND hwnd() const { return hwnd_; }
  HWND control(int id) const { return GetDlgItem(hwnd_, id); }
  DWORD threadId() const { return threadId_; }

  // Runs `task` on the window's thread and waits for it.
  void run(const std::function<void()>& task);
  // True once the message loop has ended.
  bool ended() const { return ended_; }
  int exitCode() const { return exitCode_; }

  // Reading the window back, as another program could.
  std::string status() const;
  std::string progress() const;
  std::string itemText(int row, int column) const;
  bool itemChecked(int row) const;
  int itemCount() const;
  HWND focus() const;
  bool surveyRunning();

  // A click on a toolbar button, as the button reports it; returns when its handler has.
  void click(int buttonId) const;
  // The same without waiting, for a handler that opens a modal box.
  void clickLater(int buttonId) const;
  // Clicks a command that runs off the window's thread and waits for the run to end.
  void clickAndWait(int buttonId);
  // A key pressed on the control that has the focus.
  void pressKey(WPARAM key) const;
  // Selects a row and double-clicks it.
  void doubleClickRow(int row) const;

 private:
  void main(platform::Platform& platform, platform::ShowCommand show);

  std::unique_ptr<MainWindow> window_;
  HWND hwnd_ = nullptr;
  DWORD threadId_ = 0;
  std::atomic<bool> ready_{false};
  std::atomic<bool> ended_{false};
  int exitCode_ = -1;
  std::string failure_;
  std::thread thread_;
};

}  // namespace tarnwick::ui::win32::testing
