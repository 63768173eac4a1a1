#include "ui/win32/title_shadow.h"

namespace tarnwick::ui::win32 {

void PaintShadowedTitle(HDC dc, const RECT& box, const std::wstring& text, HFONT font) {
  RECT r = box;
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CENTER | DT_TOP | DT_SINGLELINE);
  SelectObject(dc, old);
}

}  // namespace tarnwick::ui::win32
