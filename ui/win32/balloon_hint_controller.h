// The application-wide side of balloon hints on Windows: message hooks on the user-interface
// thread follow the pointer over the program's windows and see the input that cancels a hint,
// two one-shot timers of that thread carry the shared state machine's waits, and the balloon
// window shows what it decides.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ui/balloon_layout.h"
#include "ui/hint_state_machine.h"
#include "ui/win32/balloon_window.h"
#include "ui/win32/handles.h"
#include "ui/win32/png_picture.h"

namespace tarnwick::ui::win32 {

class BalloonHintController : private HintHost {
 public:
  // Balloons for every hint of this thread's windows, shaped by `content`, the icon the picture
  // `icon` (picture 0 of the image list), owned by `owner`. Hooks this thread's messages.
  BalloonHintController(HINSTANCE instance, HWND owner, BalloonContentSettings content,
                        std::optional<PngPicture> icon);
  ~BalloonHintController() override;
  BalloonHintController(const BalloonHintController&) = delete;
  BalloonHintController& operator=(const BalloonHintController&) = delete;

  // A control that carries a hint: the control and every window inside it show `text`.
  void setHint(HWND control, std::string text);
  // Ends balloons for the rest of the program's life: cancels any hint and hides the balloon.
  void switchHintsOff();

  HintStateMachine& machine() { return machine_; }
  // The balloon window, made when the first balloon shows.
  const BalloonWindow* balloonWindow() const { return window_.get(); }

 private:
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CallWindowHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void taken(const MSG& message);
  void checkIdle();
  void watchPointer();
  // The control carrying a hint at or above `window`, if the window is one of this thread's.
  HWND hintControlOf(HWND window) const;
  bool ownWindow(HWND window) const;

  std::int64_t nowMs() const override;
  Point pointerPos() const override;
  HintControl hintControlUnderPointer() const override;
  int pointerShapeBelowHotSpot() const override;
  bool programWindowActive() const override;
  bool startShowTimer(int ms) override;
  void stopShowTimer() override;
  bool startHideTimer(int ms) override;
  void stopHideTimer() override;
  void showBalloon(const BalloonRequest& request) override;
  void hideBalloon() override;

  HINSTANCE instance_;
  HWND owner_;
  BalloonContentSettings content_;
  std::optional<PngPicture> icon_;
  DWORD thread_;
  HHOOK getMessageHook_ = nullptr;
  HHOOK callWindowHook_ = nullptr;
  OwnedWindow timerWindow_;
  std::map<HWND, std::string> hints_;
  HintStateMachine machine_{*this};
  std::unique_ptr<BalloonWindow> window_;
};

// How far the pointer's visible shape reaches below its hot spot; nothing when the system does
// not say.
std::optional<int> CursorShapeBelowHotSpot(HCURSOR cursor);

}  // namespace tarnwick::ui::win32
