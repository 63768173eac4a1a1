#include "tests/ui/win32/window_test_support.h"

#include <map>

namespace tarnwick::ui::win32::testing {

namespace {

std::map<UINT_PTR, Steps*>& RunningSteps() {
  static std::map<UINT_PTR, Steps*> steps;
  return steps;
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

OwnerWindow::OwnerWindow(int left, int top, int width, int height) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = OwnerProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  cls.lpszClassName = L"TarnwickTestOwner";
  RegisterClassW(&cls);
  window_ = CreateWindowExW(0, cls.lpszClassName, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, left,
                            top, width, height, nullptr, nullptr, cls.hInstance, nullptr);
  SetForegroundWindow(window_);
  PumpFor(100);
}

OwnerWindow::~OwnerWindow() { DestroyWindow(window_); }

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < milliseconds) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

std::optional<DWORD> PumpUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG message;
  for (;;) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (condition()) return elapsed;
    if (elapsed >= milliseconds) return std::nullopt;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void MovePointer(POINT screen) {
  // Absolute input coordinates run from 0 to 65535 over the primary screen.
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void ClickAt(POINT screen) {
  MovePointer(screen);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD virtualKey) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = virtualKey;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

Steps::Steps(std::vector<std::function<void()>> steps, UINT gapMs)
    : steps_(std::move(steps)), gapMs_(gapMs) {
  timer_ = SetTimer(nullptr, 0, gapMs, &Steps::Fire);
  RunningSteps()[timer_] = this;
}

Steps::~Steps() {
  KillTimer(nullptr, timer_);
  RunningSteps().erase(timer_);
}

void CALLBACK Steps::Fire(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = RunningSteps().find(id);
  if (found == RunningSteps().end()) return;
  Steps* self = found->second;
  if (self->done()) {
    KillTimer(nullptr, id);
    return;
  }
  // The step may run a message loop of its own; this timer must not run the next step inside it.
  KillTimer(nullptr, id);
  RunningSteps().erase(id);
  auto step = self->steps_[self->next_++];
  step();
  if (!self->done()) {
    self->timer_ = SetTimer(nullptr, 0, self->gapMs_, &Steps::Fire);
    RunningSteps()[self->timer_] = self;
  }
}

HCURSOR CurrentCursor() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  GetCursorInfo(&info);
  return info.hCursor;
}

COLORREF ScreenPixel(POINT screen) {
  HDC dc = GetDC(nullptr);
  const COLORREF colour = GetPixel(dc, screen.x, screen.y);
  ReleaseDC(nullptr, dc);
  return colour;
}

POINT ToScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

POINT CentreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace tarnwick::ui::win32::testing
