// The window's font and the one place where sizes written at 96 dots per inch become pixels.
#pragma once

#include "ui/main_window_layout.h"
#include "ui/win32/handles.h"

namespace tarnwick::ui::win32 {

struct WindowFont {
  OwnedFont font;
  int textHeight = DesignTextHeight;  // the font's cell height
};

// Tahoma 8 pt (11 pixels at 96 dots per inch) at the screen's dots per inch.
WindowFont MakeWindowFont();

// Sizes of the design, written at 96 dots per inch with a text height of 13, grow with the
// text height of the window's font.
class DisplayScale {
 public:
  explicit DisplayScale(int textHeight) : textHeight_(textHeight) {}
  int operator()(int designPixels) const { return ScaleToTextHeight(designPixels, textHeight_); }

 private:
  int textHeight_;
};

}  // namespace tarnwick::ui::win32
