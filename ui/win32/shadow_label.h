// A label drawn with a soft shadow (the About window's title), drawn over what the device context
// already holds in its box. GDI draws the texts; the shared shadow rules blur and blend.
#pragma once

#include <windows.h>

#include <string>

#include "ui/shadow.h"

namespace tarnwick::ui::win32 {

// Paints `text` centred at the top of `box` in `font`, with `kind`'s text colour and `shadow`.
void PaintShadowLabel(HDC dc, const RECT& box, const std::wstring& text, HFONT font,
                      const LabelShadow& shadow, const LabelKind& kind, COLORREF fontColour);

}  // namespace tarnwick::ui::win32
