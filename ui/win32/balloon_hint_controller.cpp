#include "ui/win32/balloon_hint_controller.h"

#include <vector>

#include "ui/balloon_show.h"

namespace tarnwick::ui::win32 {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kHideTimer = 2;
// While a hint is pending or shown, the pointer is looked for now and then: when it leaves the
// program for good no message of the program's may ever come to say so.
constexpr UINT_PTR kPointerWatch = 3;
constexpr UINT kPointerWatchMs = 100;
constexpr wchar_t kTimerClass[] = L"TarnwickHintTimers";

// Hook procedures get no context of their own: the one controller of the thread is found here.
BalloonHintController* g_controller = nullptr;

bool CancelsHint(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_XBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_NCMBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_COMMAND:
    case WM_NCMOUSEMOVE:  // over a frame or a title bar
      return true;
    default:
      return false;
  }
}

// The lowest row of a mask bitmap's pixels that shows something, or -1.
int LowestVisibleRow(HBITMAP andMask, HBITMAP colour, int width, int height) {
  HDC screen = GetDC(nullptr);
  const auto rows = [screen](HBITMAP bitmap, int w, int h) {
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    BITMAPINFO info = TopDown32BitInfo(w, h);
    if (!GetDIBits(screen, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS)) {
      pixels.clear();
    }
    return pixels;
  };
  // A monochrome cursor keeps its AND mask above its XOR mask in one bitmap twice as high.
  const int maskHeight = colour ? height : height * 2;
  const std::vector<RGBQUAD> mask = rows(andMask, width, maskHeight);
  const std::vector<RGBQUAD> pixels = colour ? rows(colour, width, height) : std::vector<RGBQUAD>{};
  ReleaseDC(nullptr, screen);
  if (mask.empty()) return -1;
  const auto at = [width](const std::vector<RGBQUAD>& v, int x, int y) {
    return v[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
             static_cast<std::size_t>(x)];
  };
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const bool andClear = at(mask, x, y).rgbBlue == 0;
      bool shows = andClear;
      if (colour && !pixels.empty()) {
        shows = andClear || at(pixels, x, y).rgbReserved != 0;
      } else if (!colour) {
        shows = andClear || at(mask, x, y + height).rgbBlue != 0;  // the XOR half inverts
      }
      if (shows) return y;
    }
  }
  return -1;
}

}  // namespace

std::optional<int> CursorShapeBelowHotSpot(HCURSOR cursor) {
  ICONINFO info{};
  if (!cursor || !GetIconInfo(cursor, &info)) return std::nullopt;
  OwnedBitmap mask(info.hbmMask);
  OwnedBitmap colour(info.hbmColor);
  BITMAP shape{};
  if (!GetObjectW(mask.get(), sizeof shape, &shape)) return std::nullopt;
  const int height = colour ? shape.bmHeight : shape.bmHeight / 2;
  const int lowest = LowestVisibleRow(mask.get(), colour.get(), shape.bmWidth, height);
  if (lowest < 0) return std::nullopt;
  return lowest + 1 - static_cast<int>(info.yHotspot);
}

BalloonHintController::BalloonHintController(HINSTANCE instance, HWND owner,
                                             BalloonContentSettings content,
                                             std::optional<PngPicture> icon)
    : instance_(instance),
      owner_(owner),
      content_(std::move(content)),
      icon_(std::move(icon)),
      thread_(GetCurrentThreadId()) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  if (!GetClassInfoExW(instance, kTimerClass, &cls)) {
    cls.lpfnWndProc = &BalloonHintController::TimerWindowProc;
    cls.hInstance = instance;
    cls.lpszClassName = kTimerClass;
    RegisterClassExW(&cls);
  }
  // The timers' messages go to a window of their own that nothing else sees.
  timerWindow_.reset(CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     instance, nullptr));
  SetWindowLongPtrW(timerWindow_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  g_controller = this;
  getMessageHook_ =
      SetWindowsHookExW(WH_GETMESSAGE, &BalloonHintController::GetMessageHook, nullptr, thread_);
  callWindowHook_ =
      SetWindowsHookExW(WH_CALLWNDPROC, &BalloonHintController::CallWindowHook, nullptr, thread_);
}

BalloonHintController::~BalloonHintController() {
  machine_.setHintsOn(false);
  if (getMessageHook_) UnhookWindowsHookEx(getMessageHook_);
  if (callWindowHook_) UnhookWindowsHookEx(callWindowHook_);
  if (g_controller == this) g_controller = nullptr;
  SetWindowLongPtrW(timerWindow_.get(), GWLP_USERDATA, 0);
}

void BalloonHintController::setHint(HWND control, std::string text) {
  hints_[control] = std::move(text);
}

void BalloonHintController::switchHintsOff() {
  machine_.setHintsOn(false);
  window_.reset();
}

LRESULT CALLBACK BalloonHintController::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  // Only a message taken off the queue counts; one that is only looked at may come again.
  if (code == HC_ACTION && wParam == PM_REMOVE && g_controller) {
    g_controller->taken(*reinterpret_cast<const MSG*>(lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK BalloonHintController::CallWindowHook(int code, WPARAM wParam, LPARAM lParam) {
  // The application's activation and deactivation are sent, not queued.
  if (code == HC_ACTION && g_controller &&
      reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_ACTIVATEAPP) {
    g_controller->machine_.cancel();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK BalloonHintController::TimerWindowProc(HWND window, UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
  auto* self = reinterpret_cast<BalloonHintController*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_TIMER && self && wParam == kPointerWatch) {
    self->checkIdle();
    return 0;
  }
  if (message == WM_TIMER && self) {
    // The show and hide timers fire once.
    KillTimer(window, wParam);
    if (wParam == kShowTimer) self->machine_.showTimerFired();
    if (wParam == kHideTimer) self->machine_.hideTimerFired();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void BalloonHintController::taken(const MSG& message) {
  if (message.message == WM_MOUSEMOVE && ownWindow(message.hwnd)) {
    // Every move over one of the program's windows is examined where the pointer now is.
    machine_.mouseMove(pointerPos(), hintControlUnderPointer());
  } else if (CancelsHint(message.message)) {
    machine_.cancel();
  }
  checkIdle();
}

void BalloonHintController::checkIdle() {
  if (machine_.state() == HintStateMachine::State::Idle && !machine_.chainActive()) {
    KillTimer(timerWindow_.get(), kPointerWatch);
    return;
  }
  // The program falls idle once its queue holds nothing more to take.
  if (HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0) return;
  POINT pointer;
  if (!GetCursorPos(&pointer) || !ownWindow(WindowFromPoint(pointer))) machine_.cancel();
}

bool BalloonHintController::ownWindow(HWND window) const {
  return window && GetWindowThreadProcessId(window, nullptr) == thread_ &&
         (!window_ || window != window_->window());
}

HWND BalloonHintController::hintControlOf(HWND window) const {
  if (!ownWindow(window)) return nullptr;
  for (HWND w = window; w; w = (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
    if (hints_.count(w)) return w;
  }
  return nullptr;
}

std::int64_t BalloonHintController::nowMs() const {
  return static_cast<std::int64_t>(GetTickCount64());
}

Point BalloonHintController::pointerPos() const {
  POINT p{};
  GetCursorPos(&p);
  return Point{p.x, p.y};
}

HintControl BalloonHintController::hintControlUnderPointer() const {
  POINT p{};
  if (!GetCursorPos(&p)) return {};
  const HWND control = hintControlOf(WindowFromPoint(p));
  if (!control) return {};
  RECT bounds{};
  GetWindowRect(control, &bounds);
  const std::string& hint = hints_.at(control);
  // The hint is the text up to its first "|".
  return {control, Rect{bounds.left, bounds.top, bounds.right, bounds.bottom},
          hint.substr(0, hint.find('|'))};
}

int BalloonHintController::pointerShapeBelowHotSpot() const {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  if (GetCursorInfo(&info)) {
    if (const auto below = CursorShapeBelowHotSpot(info.hCursor)) return *below;
  }
  return GetSystemMetrics(SM_CYCURSOR);
}

bool BalloonHintController::programWindowActive() const {
  const HWND foreground = GetForegroundWindow();
  return foreground && GetWindowThreadProcessId(foreground, nullptr) == thread_;
}

void BalloonHintController::watchPointer() {
  SetTimer(timerWindow_.get(), kPointerWatch, kPointerWatchMs, nullptr);
}

bool BalloonHintController::startShowTimer(int ms) {
  watchPointer();
  return SetTimer(timerWindow_.get(), kShowTimer, static_cast<UINT>(ms), nullptr) != 0;
}

void BalloonHintController::stopShowTimer() { KillTimer(timerWindow_.get(), kShowTimer); }

bool BalloonHintController::startHideTimer(int ms) {
  return SetTimer(timerWindow_.get(), kHideTimer, static_cast<UINT>(ms), nullptr) != 0;
}

void BalloonHintController::stopHideTimer() { KillTimer(timerWindow_.get(), kHideTimer); }

void BalloonHintController::showBalloon(const BalloonRequest& request) {
  watchPointer();
  if (!window_) window_ = std::make_unique<BalloonWindow>(instance_, owner_);
  const PreparedBalloon balloon =
      PrepareBalloon(content_, request, SystemBalloonScreen(), window_->textMeasure());
  window_->show(balloon, icon_ ? &*icon_ : nullptr);
}

void BalloonHintController::hideBalloon() {
  if (window_) window_->hide();
}

}  // namespace tarnwick::ui::win32
