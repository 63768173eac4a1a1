#include "ui/win32/picture_button.h"

#include <vsstyle.h>

#include <string>

#include "ui/win32/handles.h"

namespace tarnwick::ui::win32 {

namespace {

std::string TextOf(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), int(text.size()))));
  return text;
}

void DrawFace(const DRAWITEMSTRUCT& item, bool pressed) {
  RECT face = item.rcItem;
  OwnedTheme theme(OpenThemeData(item.hwndItem, L"BUTTON"));
  if (theme) {
    const int state = pressed                        ? PBS_PRESSED
                      : (item.itemState & ODS_FOCUS) ? PBS_DEFAULTED
                                                     : PBS_NORMAL;
    // The face fills the button; the parent's colour shows through its rounded corners.
    if (IsThemeBackgroundPartiallyTransparent(theme.get(), BP_PUSHBUTTON, state))
      DrawThemeParentBackground(item.hwndItem, item.hDC, &face);
    DrawThemeBackground(theme.get(), item.hDC, BP_PUSHBUTTON, state, &face, nullptr);
    return;
  }
  DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
}

}  // namespace

void DrawPictureButton(const DRAWITEMSTRUCT& item, HICON picture, HFONT font,
                       const PictureLayout& layout) {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  DrawFace(item, pressed);

  const std::string caption = TextOf(item.hwndItem);
  GdiSelection selected(item.hDC, font);
  RECT measured{0, 0, 0, 0};
  DrawTextA(item.hDC, caption.c_str(), int(caption.size()), &measured,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  const int captionHeight = measured.bottom - measured.top;

  const RECT& box = item.rcItem;
  const int blockHeight = layout.pictureSize + layout.gap + captionHeight;
  // A pressed button moves its content down and right by a pixel, as a pushed key does.
  const int shift = pressed ? 1 : 0;
  const int top = box.top + (box.bottom - box.top - blockHeight) / 2 + shift;
  const int pictureLeft = box.left + (box.right - box.left - layout.pictureSize) / 2 + shift;
  if (picture)
    DrawIconEx(item.hDC, pictureLeft, top, picture, layout.pictureSize, layout.pictureSize, 0,
               nullptr, DI_NORMAL);

  RECT text{box.left + shift, top + layout.pictureSize + layout.gap, box.right + shift,
            top + blockHeight};
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(item.hDC, caption.c_str(), int(caption.size()), &text,
            DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);

  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = box;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(item.hDC, &focus);
  }
}

}  // namespace tarnwick::ui::win32
