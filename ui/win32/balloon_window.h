// The balloon itself: a popup that is topmost, never activated, has no taskbar entry and lets
// mouse input pass to whatever lies beneath; it casts the system's drop shadow, is cut to the
// balloon's shape and paints what the shared layout and placement decided.
#pragma once

#include <windows.h>

#include <string>

#include "ui/balloon_show.h"
#include "ui/win32/handles.h"
#include "ui/win32/png_picture.h"

namespace tarnwick::ui::win32 {

// The system's values a balloon is laid out and placed by, asked afresh for every balloon.
BalloonScreen SystemBalloonScreen();

class BalloonWindow {
 public:
  static constexpr const wchar_t* ClassName = L"TarnwickBalloonWindow";

  // `owner` is the window the balloon belongs to (the program's main window), or none.
  BalloonWindow(HINSTANCE instance, HWND owner);
  ~BalloonWindow();
  BalloonWindow(const BalloonWindow&) = delete;
  BalloonWindow& operator=(const BalloonWindow&) = delete;

  HWND window() const { return window_.get(); }

  // Sizes of texts in the header and message fonts, wrapped at a width.
  BalloonTextMeasure textMeasure() const;

  // Shapes, places and shows a prepared balloon with `icon` at the icon's place (none: no icon).
  void show(const PreparedBalloon& balloon, const PngPicture* icon);
  void hide();

  const PreparedBalloon& balloon() const { return balloon_; }
  bool themed() const { return static_cast<bool>(theme_); }
  // Whether the last balloon was animated in, and how.
  BalloonAnimation lastAnimation() const { return balloon_.animation; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void paint(HDC dc);

  OwnedWindow window_;
  // The visual-styles theme of tool tips, when it has a balloon of its own; the plain hint
  // colour and fonts otherwise.
  OwnedTheme theme_;
  OwnedFont messageFont_;
  OwnedFont headerFont_;
  PreparedBalloon balloon_;
  const PngPicture* icon_ = nullptr;
};

// Texts of the program (bytes of the ANSI code page) as the wide text the system draws.
std::wstring WideText(const std::string& text);

}  // namespace tarnwick::ui::win32
