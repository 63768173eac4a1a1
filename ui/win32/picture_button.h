// The toolbar's push buttons: owner-drawn with the theme's push-button face, a picture above the
// caption, the two centred together.
#pragma once

#include <windows.h>

namespace tarnwick::ui::win32 {

struct PictureLayout {
  int pictureSize = 32;
  int gap = 4;  // between picture and caption
};

// Draws the button of `item` (a WM_DRAWITEM of a BS_OWNERDRAW button) with `picture` and the
// button's own text in `font`.
void DrawPictureButton(const DRAWITEMSTRUCT& item, HICON picture, HFONT font,
                       const PictureLayout& layout);

}  // namespace tarnwick::ui::win32
