// Helpers of the window tests under Wine: a stand-in owner window, real pointer moves and clicks,
// steps run inside a window's own message loop, and pixels read back from the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

namespace tarnwick::ui::win32::testing {

// A plain visible top-level window, for the windows under test to belong to.
class OwnerWindow {
 public:
  OwnerWindow(int left, int top, int width, int height);
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// Pumps this thread's messages for the given time.
void PumpFor(DWORD milliseconds);
// Pumps this thread's messages until the condition holds or the time is up; the milliseconds it
// took, or nothing.
std::optional<DWORD> PumpUntil(const std::function<bool()>& condition, DWORD milliseconds);

// Moves the pointer as the user would, to a point of the screen.
void MovePointer(POINT screen);
void ClickAt(POINT screen);
void PressKey(WORD virtualKey);

// Runs each step on this thread after the one before, `gapMs` apart, while whatever message loop
// is running (a modal one included) takes messages. Steps run from timer messages, so a step may
// start a modal loop of its own.
class Steps {
 public:
  explicit Steps(std::vector<std::function<void()>> steps, UINT gapMs = 150);
  ~Steps();
  bool done() const { return next_ >= steps_.size(); }

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  UINT gapMs_;
  UINT_PTR timer_ = 0;
};

// The cursor the system shows now.
HCURSOR CurrentCursor();

// A pixel of the screen as it is now.
COLORREF ScreenPixel(POINT screen);

// A client point of a window in screen coordinates.
POINT ToScreen(HWND window, POINT client);
POINT CentreOf(const RECT& r);

}  // namespace tarnwick::ui::win32::testing
