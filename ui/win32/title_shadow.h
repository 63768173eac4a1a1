// The About window's title: white text with a soft dark shadow one pixel below and to the right,
// drawn over what the device context already holds in its box.
#pragma once

#include <windows.h>

#include <string>

namespace tarnwick::ui::win32 {

void PaintShadowedTitle(HDC dc, const RECT& box, const std::wstring& text, HFONT font);

}  // namespace tarnwick::ui::win32
