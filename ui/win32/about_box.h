// The About window: names the program and its version, says what it does, credits its maker and
// links to the project's web site. Created once, hidden, at start-up and shown modally on
// "About...". Its controls are drawn by the window itself, in their stacking order, so that the
// pictures blend over whatever lies beneath them.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "ui/win32/handles.h"
#include "ui/win32/png_picture.h"

namespace tarnwick::ui::win32 {

// The controls, in their stacking order from bottom to top.
enum class AboutControl {
  image3,
  Panel1,
  CreditLabel,
  Comments,
  Image1,
  titleLabel,
  descriptionLabel,
  image4,
};
inline constexpr int kAboutControlCount = 8;

class AboutBox {
 public:
  // Creates the window hidden, owned by `owner`. Links go to the shell through `platform`.
  AboutBox(HINSTANCE instance, HWND owner, platform::Platform& platform);
  ~AboutBox();
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  HWND window() const { return window_.get(); }

  // Shows the window modally: the owner takes no input until it is closed. Returns the modal
  // result, IDCANCEL for every way of closing it.
  int showModal();
  bool isShownModally() const { return modal_; }

  // What tests look at: a control's box in the window's client coordinates, in pixels of the
  // screen; the text colour of the web address; the cursor a control shows.
  RECT controlBounds(AboutControl control) const;
  COLORREF commentsColour() const { return commentsColour_; }
  HCURSOR controlCursor(AboutControl control) const;
  // The link target a control holds in its hint.
  const std::string& hintOf(AboutControl control) const;

 private:
  struct Control {
    RECT bounds;  // at 96 dpi, relative to its parent (the window or Panel1)
    bool inPanel;
    bool takesMouse;
    HCURSOR cursor;
    std::string hint;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  void CommentsMouseMove();
  void CommentsMouseLeave();
  void CommentsClick();
  void Image1MouseMove();
  void Image1MouseLeave();
  void Image1Click();
  void image3MouseEnter();
  void image3MouseLeave();
  void image3Click();

  void close();
  void pointerMoved(POINT client);
  void pointerLeft();
  void enter(AboutControl control);
  void leave(AboutControl control);
  void click(AboutControl control);
  void openHint(AboutControl control);
  std::optional<AboutControl> controlAt(POINT client) const;
  void invalidate(AboutControl control);

  void paint(HDC dc);
  void paintPanel(HDC dc, const RECT& box);
  void paintLabel(HDC dc, AboutControl control, const std::wstring& text, HFONT font,
                  COLORREF colour, UINT format);
  void paintTitle(HDC dc);

  // Pixels at 96 dpi in pixels of the screen: the one place that scales.
  int scaled(int pixels) const;
  RECT scaled(const RECT& r) const;
  Control& control(AboutControl which) { return controls_[static_cast<int>(which)]; }
  const Control& control(AboutControl which) const { return controls_[static_cast<int>(which)]; }

  HINSTANCE instance_;
  HWND owner_;
  platform::Platform& platform_;
  int dpi_ = 96;
  OwnedWindow window_;
  std::array<Control, kAboutControlCount> controls_{};
  OwnedFont font_;
  OwnedFont titleFont_;
  std::optional<PngPicture> checkMark_;
  std::optional<PngPicture> makerPicture_;
  std::optional<PngPicture> goldenFrame_;
  COLORREF commentsColour_;
  std::optional<AboutControl> hovered_;
  std::optional<AboutControl> pressed_;
  bool trackingLeave_ = false;
  // The check mark shifts once per entry and back once per leave, whatever the order in which
  // the system reports them.
  bool image3Hovered_ = false;
  bool modal_ = false;
  int modalResult_ = 0;
};

}  // namespace tarnwick::ui::win32
